"""The web build's pages in three engines, each behind the same few calls (open,
click, keys, run a script, screenshot, close the tab, quit): headless Chromium
(Debian's chromium and chromium-driver, through selenium), Firefox ESR
(puppeteer-core over WebDriver BiDi, tests/e2e/firefox) and WebKitGTK's MiniBrowser
(WebKitWebDriver, through selenium, under Xvfb); the site served from a copy on
localhost, each page of it catching its own errors."""
import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time
from pathlib import Path

from .image import Image
from .session import Skip
from .sound import PulseServer
from .xserver import XServer

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

# Put first in each page: what the page reports as an error (console.error, an
# uncaught exception, a rejected promise nobody handled), kept for the test to read.
ERROR_CATCHER = """<script>
var readerPageErrors = [];
addEventListener('error', function(e) { readerPageErrors.push('uncaught ' + e.message); });
addEventListener('unhandledrejection', function(e) {
  readerPageErrors.push('unhandled rejection ' + e.reason);
});
console.error = (function(log) {
  return function() {
    readerPageErrors.push(Array.prototype.join.call(arguments, ' '));
    log.apply(console, arguments);
  };
})(console.error);
</script>"""


class Site:
    """A copy of the built site (dist/web), which a case may change, served on a
    free port of 127.0.0.1."""

    def __init__(self, built):
        self._temp = tempfile.TemporaryDirectory(prefix="web-site-")
        self.root = Path(self._temp.name) / "web"
        shutil.copytree(built, self.root)
        for page in self.root.glob("*/index.html"):
            page.write_text(page.read_text(encoding="utf-8").replace(
                "<head>", "<head>" + ERROR_CATCHER, 1), encoding="utf-8")
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
    """What every engine's adapter shares: the page's state read through js(body),
    a script body that returns a value (or a promise of one)."""

    def __init__(self):
        self.errors = []  # the page errors of the pages left so far

    def open(self, url):
        """Opens the page and waits for its start screen: its files are in place."""
        self.keep_errors()
        self.goto(url)
        self.wait_for("!document.getElementById('start').hidden", 30, "the start screen")

    def start(self, url=None, tap=False):
        """Clicks or taps the start screen, as a reader does (opening the page first)."""
        if url is not None:
            self.open(url)
        if tap:
            self.tap()
        else:
            self.click()

    def leave(self):
        """Closes the page's tab, leaving the browser on a new empty one."""
        self.keep_errors()
        self.close_tab()

    def keep_errors(self):
        self.errors += self.js("return window.readerPageErrors ? readerPageErrors.splice(0) : []")

    def page_errors(self):
        self.keep_errors()
        return self.errors

    def wait_for(self, script, timeout, what):
        """Polls the expression until it is true; its value."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.js("return " + script)
            if value:
                return value
            time.sleep(0.1)
        raise AssertionError("%s: not within %d s" % (what, timeout))

    def ended(self):
        return not self.js("return document.getElementById('ended').hidden")

    def canvas(self):
        width, height, rgb = self.js(CANVAS_RGB)
        return Image(width, height, base64.b64decode(rgb))


def require(*paths):
    for path in paths:
        if not Path(path).exists():
            raise Skip("%s is not installed" % path)


class _Selenium(Browser):
    def goto(self, url):
        self.driver.get(url)

    def click(self):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.driver).click().perform()

    def keys(self, down=(), up=()):
        """Presses and releases keys by name: a character, or "Control"."""
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        actions = ActionChains(self.driver)
        for key in down:
            actions.key_down(Keys.CONTROL if key == "Control" else key)
        for key in up:
            actions.key_up(Keys.CONTROL if key == "Control" else key)
        actions.perform()

    def js(self, body):
        return self.driver.execute_script(body)

    def screenshot(self, path):
        self.driver.save_screenshot(str(path))

    def close_tab(self):
        left = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        opened = self.driver.current_window_handle
        self.driver.switch_to.window(left)
        self.driver.close()
        self.driver.switch_to.window(opened)


class Chromium(_Selenium):
    """One headless Chromium with a fresh profile, its page width x height CSS pixels
    at one device pixel each."""

    def __init__(self, width, height, touch=False, site_data=True):
        super().__init__()
        require("/usr/bin/chromium", "/usr/bin/chromedriver")
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


MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"  # libwebkit2gtk-4.1-0


class WebKit(_Selenium):
    """WebKitGTK's MiniBrowser on a private Xvfb (it has no headless mode). Its site
    data lasts as long as the browser does."""

    def __init__(self, width, height):
        super().__init__()
        require(MINIBROWSER, "/usr/bin/WebKitWebDriver")
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        self._x = XServer(width, height).__enter__()
        os.environ["DISPLAY"] = self._x.display
        options = Options()
        options.binary_location = MINIBROWSER
        for flag in ("--automation", "--enable-webaudio=true"):
            options.add_argument(flag)
        self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                          options=options)

    def close(self):
        try:
            self.driver.quit()
        finally:
            self._x.__exit__()


FIREFOX = "/usr/lib/firefox-esr/firefox-esr"  # the binary, not /usr/bin's launcher script
FIREFOX_DRIVER = Path(__file__).resolve().parent.parent / "firefox" / "driver.mjs"


class Firefox(Browser):
    """Headless Firefox ESR, driven by firefox/driver.mjs (tools/install-deps.sh test
    installs its puppeteer-core). It plays through a private PulseAudio server: with
    no sound device at all, its AudioContext never starts."""

    def __init__(self, width, height):
        super().__init__()
        require(FIREFOX, "/usr/bin/node", FIREFOX_DRIVER.parent / "node_modules" / "puppeteer-core")
        self._pulse = PulseServer(os.devnull).__enter__()
        self._driver = subprocess.Popen(
            ["node", str(FIREFOX_DRIVER), FIREFOX, str(width), str(height)],
            env=dict(os.environ, **self._pulse.env()), stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, text=True, start_new_session=True)

    def _call(self, command, **args):
        self._driver.stdin.write(json.dumps(dict(args, command=command)) + "\n")
        self._driver.stdin.flush()
        line = self._driver.stdout.readline()
        if not line:
            raise RuntimeError("the Firefox driver ended (exit code %s)" % self._driver.wait())
        answer = json.loads(line)
        if "error" in answer:
            raise RuntimeError("Firefox: %s: %s" % (command, answer["error"]))
        return answer["value"]

    def goto(self, url):
        self._call("goto", url=url)

    def click(self):
        self._call("click")

    def keys(self, down=(), up=()):
        self._call("keys", down=list(down), up=list(up))

    def js(self, body):
        return self._call("js", body=body)

    def screenshot(self, path):
        self._call("screenshot", path=str(path))

    def close_tab(self):
        self._call("closeTab")

    def close(self):
        try:
            self._call("quit")
        finally:
            self._driver.stdin.close()
            self._driver.wait(30)
            self._pulse.__exit__()


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
        if self.artifacts.exists():
            shutil.rmtree(self.artifacts)
        self.artifacts.mkdir(parents=True)
        return self

    def __exit__(self, *_):
        pass

    def keep(self, image, name):
        self._write_png(image, self.artifacts / (name + ".png"))

