"""The web build's pages in headless Chromium (Debian's chromium and
chromium-driver, driven by selenium), served from a copy of the site on localhost."""
import base64
import functools
import http.server
import shutil
import tempfile
import threading
import time
from pathlib import Path

from .image import Image

# As the machine's notes give them: no sandbox as root, and nothing that reaches
# out to the network, which is closed here.
CHROMIUM_FLAGS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync")

# The canvas as RGB bytes, base64 (the 2D context SDL draws with).
CANVAS_RGB = """
var canvas = Module.canvas, data = canvas.getContext('2d')
    .getImageData(0, 0, canvas.width, canvas.height).data;
var rgb = new Uint8Array(canvas.width * canvas.height * 3);
for (var i = 0, j = 0; i < data.length; i += 4, j += 3) {
  rgb[j] = data[i]; rgb[j + 1] = data[i + 1]; rgb[j + 2] = data[i + 2];
}
var text = '';
for (var at = 0; at < rgb.length; at += 0x8000)
  text += String.fromCharCode.apply(null, rgb.subarray(at, at + 0x8000));
return [canvas.width, canvas.height, btoa(text)];
"""


class Site:
    """A copy of the built site (dist/web), which a case may change, served on a
    free port of 127.0.0.1."""

    def __init__(self, built):
        self._temp = tempfile.TemporaryDirectory(prefix="web-site-")
        self.root = Path(self._temp.name) / "web"
        shutil.copytree(built, self.root)
        handler = functools.partial(_QuietHandler, directory=str(self.root))
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self._server.serve_forever, daemon=True).start()

    def url(self, part, query=""):
        return "http://127.0.0.1:%d/%s/%s" % (self._server.server_port, part, query)

    def close(self):
        self._server.shutdown()
        self._server.server_close()
        self._temp.cleanup()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass

    def end_headers(self):
        # Shared with every origin, as a page in a frame sandboxed without its own needs.
        self.send_header("Access-Control-Allow-Origin", "*")
        super().end_headers()


class Browser:
    """One Chromium with a fresh profile, its page width x height CSS pixels at one
    device pixel each."""

    def __init__(self, width, height, touch=False, site_data=True):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        self._profile = tempfile.TemporaryDirectory(prefix="chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + ("--user-data-dir=" + self._profile.name,):
            options.add_argument(flag)
        if touch:
            options.add_argument("--touch-events=enabled")
        if not site_data:  # the reader's setting "block sites from saving data"
            options.add_experimental_option(
                "prefs", {"profile.default_content_setting_values.cookies": 2})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": touch})
        if touch:
            self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                        {"enabled": True, "maxTouchPoints": 5})

    def tap(self, fingers=1, hold=0.0):
        points = [{"x": 200 + 100 * i, "y": 240, "id": i} for i in range(fingers)]
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": "touchStart", "touchPoints": points})
        time.sleep(hold)
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                    {"type": "touchEnd", "touchPoints": []})

    def close(self):
        self.driver.quit()
        self._profile.cleanup()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, script, timeout, what):
        """Polls the expression until it is true; its value."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.js("return " + script)
            if value:
                return value
            time.sleep(0.1)
        raise AssertionError("%s: not within %d s" % (what, timeout))

    def open(self, url):
        """Opens the page and waits for its start screen: its files are in place."""
        self.driver.get(url)
        self.wait_for("!document.getElementById('start').hidden", 30, "the start screen")

    def start(self, url=None, tap=False):
        """Clicks or taps the start screen, as a reader does (opening the page first)."""
        from selenium.webdriver.common.action_chains import ActionChains
        if url is not None:
            self.open(url)
        if tap:
            self.tap()
        else:
            ActionChains(self.driver).click().perform()

    def keys(self, down=(), up=()):
        from selenium.webdriver.common.action_chains import ActionChains
        actions = ActionChains(self.driver)
        for key in down:
            actions.key_down(key)
        for key in up:
            actions.key_up(key)
        actions.perform()

    def ended(self):
        return not self.js("return document.getElementById('ended').hidden")

    def canvas(self):
        width, height, rgb = self.js(CANVAS_RGB)
        return Image(width, height, base64.b64decode(rgb))


class WebSession:
    """One web case's world: the built site (the platform's bin dir), the Linux build
    beside it (for the frames to compare with) and a folder for what it keeps."""

    def __init__(self, platform, test_name, play_dir):
        from .image import write_png
        self.platform = platform
        self.play_dir = play_dir
        self.artifacts = platform.work_root / "artifacts" / test_name
        self._write_png = write_png

    def __enter__(self):
        from .session import Skip
        try:
            import selenium  # noqa: F401
        except ImportError:
            raise Skip("selenium is not installed (python3-selenium)")
        for tool in ("/usr/bin/chromium", "/usr/bin/chromedriver"):
            if not Path(tool).exists():
                raise Skip("%s is not installed" % tool)
        if self.artifacts.exists():
            shutil.rmtree(self.artifacts)
        self.artifacts.mkdir(parents=True)
        return self

    def __exit__(self, *_):
        pass

    def keep(self, image, name):
        self._write_png(image, self.artifacts / (name + ".png"))


def keys_module():
    """selenium's Keys, imported only where selenium is known to be there."""
    from selenium.webdriver.common.keys import Keys
    return Keys
