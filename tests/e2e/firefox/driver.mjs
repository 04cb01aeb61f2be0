// Debian's Firefox ESR for the browser tests (harness/browser.py), driven over
// WebDriver BiDi by puppeteer-core: one JSON command a line on stdin, one JSON
// answer a line on stdout.
//   node driver.mjs <the firefox binary> <width> <height>
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const [binary, width, height] = process.argv.slice(2);
const browser = await puppeteer.launch({
  browser: 'firefox', executablePath: binary, headless: true,
  // navigator.storage.persist() is granted, as a reader who allows it would.
  extraPrefsFirefox: {'dom.storageManager.prompt.testing': true,
                      'dom.storageManager.prompt.testing.allow': true},
});
const viewport = {width: Number(width), height: Number(height)};
let page = (await browser.pages())[0];
await page.setViewport(viewport);

const commands = {
  goto: ({url}) => page.goto(url),
  click: () => page.mouse.click(1, 1),
  keys: async ({down, up}) => {
    for (const key of down) await page.keyboard.down(key);
    for (const key of up) await page.keyboard.up(key);
  },
  js: ({body}) => page.evaluate(`(async () => { ${body} })()`),
  screenshot: ({path}) => page.screenshot({path}),
  closeTab: async () => {
    const next = await browser.newPage();
    await page.close();
    page = next;
    await page.setViewport(viewport);
  },
  quit: () => browser.close(),
};

for await (const line of readline.createInterface({input: process.stdin})) {
  const {command, ...args} = JSON.parse(line);
  let answer;
  try {
    const value = await commands[command](args);
    answer = {value: command === 'js' ? value ?? null : null};
  } catch (error) {
    answer = {error: String(error && error.message || error)};
  }
  process.stdout.write(JSON.stringify(answer) + '\n');
  if (command === 'quit') break;
}
