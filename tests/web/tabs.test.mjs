// The page's player files in headless Chromium: level 0 solved in a tab, the
// music turned up on the options screen, full screen entered and left twice
// (by the box, then the browser's own way) with the box following, and the
// tab closed there, without Quit; reopened, the music is kept; a second tab
// meanwhile says the game is open elsewhere and writes nothing; after both
// close, a new tab finds the progress, the best and the options whole. Two
// tabs without the browser's lock manager settle it on a broadcast channel.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch, serve, shots, sleep, solution, storedFiles, watch } from './support.mjs';

const musicOf = (options) => new DataView(Uint8Array.from(options).buffer).getFloat32(4, true);

test('one tab plays, options stay without Quit, and full screen comes and goes cleanly', async () => {
  fs.mkdirSync(shots, { recursive: true });
  const server = await serve();
  const { browser, close } = await launch();
  const url = `${server.url}?log`;
  const open = async (options = {}) => {
    const page = await browser.newPage();
    if (options.noLocks) await page.evaluateOnNewDocument(() => Object.defineProperty(navigator, 'locks', { value: undefined }));
    await page.setViewport({ width: 800, height: 600 });
    const seen = watch(page);
    await page.goto(url);
    await seen.waitFor(/^-- Start of program --$|^quillmere: the game is open in another tab$/);
    return { page, seen };
  };
  const click = async (page, x, y) => {
    await page.mouse.click(x, y, { delay: 80 });
    await sleep(600);
  };
  const elsewhere = (page) => page.evaluate(() => document.body.classList.contains('elsewhere'));
  try {
    // Level 0 solved by keys in the first tab.
    const first = await open();
    await first.seen.waitFor('start at level 0');
    await sleep(2500);
    for (const key of ['Enter', 'Enter']) {  // Play, the tutorial page
      await first.page.keyboard.press(key, { delay: 60 });
      await sleep(1500);
    }
    for (const k of solution(0)) {
      await first.page.keyboard.press({ U: 'ArrowUp', D: 'ArrowDown', L: 'ArrowLeft', R: 'ArrowRight' }[k], { delay: 60 });
      await sleep(1500);
    }
    await first.seen.waitFor('Loading map 1.lvl', 10000);
    await first.page.keyboard.press('Escape', { delay: 60 });
    await sleep(1500);

    // Options: the music slider to 80 % of its bar (volume 1.6).
    await click(first.page, 226, 342);
    await sleep(800);
    await click(first.page, 640, 345);
    // The full-screen box, pictured off, on (by the box), off (by the box),
    // on, and off the browser's way.
    const boxShot = () => first.page.screenshot({ clip: { x: 591, y: 222, width: 28, height: 26 }, encoding: 'base64' });
    const canvasFits = () => first.page.$eval('#canvas', (c) => {
      const r = c.getBoundingClientRect();
      return Math.abs(r.width - Math.min(innerWidth, innerHeight * 4 / 3)) < 1 && Math.abs(r.height - Math.min(innerHeight, innerWidth * 3 / 4)) < 1;
    });
    const mode = async (wanted) => {
      for (let n = 0; n < 40 && (await first.page.evaluate(() => !!document.fullscreenElement)) !== wanted; n++) await sleep(50);
      await sleep(300);  // a frame or two for the box
      assert.equal(await first.page.evaluate(() => !!document.fullscreenElement), wanted, `full screen ${wanted}`);
      assert.ok(await canvasFits(), 'the canvas fills the page as it is now');
      return boxShot();
    };
    const off = await boxShot();
    await click(first.page, 590, 220);
    const on = await mode(true);
    assert.notEqual(on, off, 'the box is ticked in full screen');
    await first.page.screenshot({ path: path.join(shots, 'tabs-fullscreen.png') });
    await click(first.page, 590, 220);
    assert.equal(await mode(false), off, 'the box is clear again');
    await click(first.page, 590, 220);
    assert.equal(await mode(true), on, 'ticked the second time too');
    await first.page.evaluate(() => document.exitFullscreen());
    assert.equal(await mode(false), off, 'the box follows the browser leaving full screen');

    // Closed on the options screen, without Quit.
    await first.page.close();
    const reopened = await open();
    await reopened.seen.waitFor('start at level 1');
    let stored = await storedFiles(reopened.page);
    assert.ok(Math.abs(musicOf(stored['options.dat']) - 1.6) < 0.01, `the music kept: ${musicOf(stored['options.dat'])}`);

    // A second tab: told, and nothing written.
    const second = await open();
    await sleep(3000);
    assert.ok(await elsewhere(second.page), 'the second tab says the game is open elsewhere');
    assert.ok(!second.seen.lines.includes('-- Start of program --'), 'the second tab never started the game');
    await second.page.screenshot({ path: path.join(shots, 'tabs-second.png') });
    await second.page.keyboard.press('s');
    await second.page.close();
    assert.deepEqual(await storedFiles(reopened.page), stored, 'the second tab wrote nothing');
    await reopened.page.close();

    // Both closed: everything is there for the next tab, which plays.
    const next = await open();
    await next.seen.waitFor('start at level 1');
    stored = await storedFiles(next.page);
    assert.deepEqual(stored['save0.dat'].slice(0, 2), [1, 3], 'level 0 solved, level 1 open');
    assert.ok('best0.dat' in stored, 'the best of level 0 kept');
    await next.page.close();

    // Without the lock manager: the first of two tabs plays, the second is told.
    const plain = await open({ noLocks: true });
    await plain.seen.waitFor('start at level 1');
    const late = await open({ noLocks: true });
    await sleep(1000);
    assert.ok(await elsewhere(late.page), 'the handshake kept the second tab out');
    assert.ok(!(await elsewhere(plain.page)), 'and left the first playing');
    assert.deepEqual([...first.seen.errors, ...reopened.seen.errors, ...plain.seen.errors], [], 'no errors on the pages');
  } finally {
    await close();
    server.close();
  }
});
