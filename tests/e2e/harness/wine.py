"""One Wine prefix per build, made once and reused by every Wine test.

Made for a DirectDraw program on a headless X server: Japanese locale (ANSI code
page 932, so Shift-JIS face names match), the Mincho face mapped to IPA P Mincho,
the gdi renderer (a single Flip shows), no Mono or Gecko prompts, ALSA's null
device so synchronous sounds play and return where no sound server runs, and a
default sound, as a Windows installation has, for a sound file that is missing.
"""
import os
import shutil
import subprocess
from pathlib import Path

from .sound import write_ding
from .xserver import XServer

MINCHO_FACE = "\uff2d\uff33 \uff30\u660e\u671d"  # the face the reader asks for
REPLACEMENT_FACE = "IPAPMincho"
DEFAULT_SOUND = r"C:\windows\media\reader_default.wav"
REGISTRY = [
    (r"HKCU\Software\Wine\Direct3D", "renderer", "gdi"),
    (r"HKCU\Software\Wine\Fonts\Replacements", MINCHO_FACE, REPLACEMENT_FACE),
    # Wine's winmm takes the fall-back sound from win.ini's [Sounds] Default, which
    # it maps to this key; a fresh prefix has none, so a missing file played nothing.
    (r"HKCU\Control Panel\Sounds", "Default", DEFAULT_SOUND),
]
# Changed whenever the prefix is made differently, so an older one is made again.
PREFIX_VERSION = "2"


class WinePrefix:
    def __init__(self, root):
        self.root = Path(root)
        self.prefix = self.root / "prefix"
        self.home = self.root / "home"
        self.locales = self.root / "locale"
        self.ready_stamp = self.root / "ready"

    def env(self):
        return {
            "WINEPREFIX": str(self.prefix),
            "HOME": str(self.home),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LANG": "ja_JP.UTF-8",
            "LC_ALL": "ja_JP.UTF-8",
            "LOCPATH": str(self.locales),
        }

    def is_ready(self):
        return (self.ready_stamp.exists() and
                self.ready_stamp.read_text().strip() == "ok " + PREFIX_VERSION)

    def create(self):
        """Builds the prefix from nothing (about 15 s); a half-made one is thrown away."""
        if self.root.exists():
            shutil.rmtree(self.root)
        self.home.mkdir(parents=True)
        (self.home / ".asoundrc").write_text("pcm.!default { type null }\nctl.!default { type null }\n")
        self.locales.mkdir()
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                        str(self.locales / "ja_JP.UTF-8")], check=True, timeout=120)
        with XServer(640, 480) as x:
            env = dict(os.environ, **self.env(), **x.env())
            subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            media = self.prefix / "drive_c" / "windows" / "media"
            media.mkdir(parents=True, exist_ok=True)
            write_ding(media / DEFAULT_SOUND.split("\\")[-1])
            for key, name, value in REGISTRY:
                subprocess.run(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"],
                               env=env, check=True, timeout=120,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # The registry reaches the disk, and later programs, only once the server stops.
            subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)
        self._check_registry()
        self.ready_stamp.write_text("ok %s\n" % PREFIX_VERSION)

    def _check_registry(self):
        user_reg = (self.prefix / "user.reg").read_text(encoding="utf-8", errors="replace")
        escaped_face = "".join(c if ord(c) < 128 else "\\x%x" % ord(c) for c in MINCHO_FACE)
        default_sound = '"Default"="%s"' % DEFAULT_SOUND.replace("\\", "\\\\")
        for needed in ('"renderer"="gdi"', '"%s"="%s"' % (escaped_face, REPLACEMENT_FACE),
                       default_sound):
            if needed not in user_reg:
                raise RuntimeError("the Wine registry lacks %s" % needed)

    def stop_server(self, env):
        """Ends this prefix's wine server and the programs it still runs."""
        subprocess.run(["wineserver", "-k"], env=env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
