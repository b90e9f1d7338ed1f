// A phone player in headless Chromium with a touch screen: upright, the frame
// fills the width and asks to be turned; Play and the tutorial page are
// tapped; level 0 is solved by swipes and then by taps beside the ball; on
// its side the phone solves level 1 the same way, and a tap there offers full
// screen, which a tap enters.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { launch, rollLine, serve, shots, sleep, solution, watch } from './support.mjs';

test('a phone plays levels 0 and 1 by touch alone, upright and on its side', async () => {
  fs.mkdirSync(shots, { recursive: true });
  const server = await serve();
  const { browser, close } = await launch();
  try {
    const page = await browser.newPage();
    const seen = watch(page);
    await page.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true });
    await page.goto(`${server.url}?log`);
    await seen.waitFor('start at level 0');
    await sleep(2500);  // the splash, then the menu

    // Frame pixels to the page's, through the canvas as it is laid out now.
    const box = () => page.$eval('#canvas', (c) => {
      const r = c.getBoundingClientRect();
      return { x: r.left, y: r.top, w: r.width, h: r.height };
    });
    let frame = await box();
    const at = (fx, fy) => [frame.x + (fx * frame.w) / 800, frame.y + (fy * frame.h) / 600];
    const tap = async (fx, fy) => {
      await page.touchscreen.tap(...at(fx, fy));
      await sleep(200);
    };
    const swipe = async (letter) => {
      const [dx, dy] = { U: [0, -1], D: [0, 1], L: [-1, 0], R: [1, 0] }[letter];
      await page.touchscreen.touchStart(...at(400, 290));
      for (let i = 1; i <= 4; i++) await page.touchscreen.touchMove(...at(400 + 30 * i * dx, 290 + 30 * i * dy));
      await page.touchscreen.touchEnd();
    };
    // A tap on the cell next to the ball, the way it should roll (two cells
    // off when the board allows, to show it need not be the neighbour).
    const tapBeside = async (letter) => {
      const rest = seen.lines.filter((l) => l.startsWith('ball rests at ')).pop();
      assert.ok(rest, 'the ball has come to rest somewhere first');
      const [bx, by] = rest.replace('ball rests at ', '').split(',').map(Number);
      const [dx, dy] = { U: [0, -1], D: [0, 1], L: [-1, 0], R: [1, 0] }[letter];
      const cx = Math.min(19, Math.max(0, bx + 2 * dx)), cy = Math.min(13, Math.max(0, by + 2 * dy));
      assert.ok(cx !== bx || cy !== by, `a cell ${letter} of the ball at ${bx},${by}`);
      await tap(64 + 32 * cx + 16, 64 + 32 * cy + 16);
    };
    // Half the moves by swipes, the rest by taps; each must roll the ball once.
    const play = async (level) => {
      const moves = solution(level);
      for (const [i, letter] of moves.entries()) {
        const rolled = seen.lines.filter((l) => l.startsWith('ball rolls ')).length;
        if (i < moves.length / 2) await swipe(letter);
        else await tapBeside(letter);
        for (let n = 0; n < 60 && seen.lines.filter((l) => l.startsWith('ball rolls ')).length === rolled; n++) await sleep(50);
        await sleep(1400);  // the roll ends
      }
      await seen.waitFor(`Loading map ${level + 1}.lvl`, 10000);
      const rolls = seen.lines.filter((l) => l.startsWith('ball rolls '));
      assert.deepEqual(rolls.slice(-moves.length), moves.map(rollLine), `level ${level}: one roll a touch, the right way`);
    };

    // Upright: the frame across the whole width at the top, the wish below.
    assert.equal(Math.round(frame.w), 390);
    assert.equal(Math.round(frame.y), 0);
    assert.ok(await page.$eval('#turn', (e) => getComputedStyle(e).display !== 'none'), 'the page asks to turn the phone');
    await page.screenshot({ path: path.join(shots, 'phone-upright.png') });
    await tap(226, 242);  // Play
    await sleep(1500);
    await tap(400, 300);  // the tutorial page closes
    await sleep(1500);
    seen.forget();
    await play(0);

    // On its side: level 1 goes on the same way.
    await page.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true });
    await sleep(3000);  // the slide to level 1 ends
    frame = await box();
    assert.equal(Math.round(frame.h), 390);
    assert.ok(await page.$eval('#turn', (e) => getComputedStyle(e).display === 'none'), 'no wish to turn it now');
    await play(1);

    // A tap has offered full screen, and a tap on the offer enters it.
    await page.screenshot({ path: path.join(shots, 'phone-side.png') });
    const offer = await page.$('#offer');
    assert.ok(await offer.isVisible(), 'full screen offered');
    await offer.tap();
    for (let n = 0; n < 40 && !(await page.evaluate(() => !!document.fullscreenElement)); n++) await sleep(50);
    assert.ok(await page.evaluate(() => !!document.fullscreenElement), 'the tap entered full screen');
    for (let n = 0; n < 40 && (await offer.isVisible()); n++) await sleep(50);  // the change event follows
    assert.ok(!(await offer.isVisible()), 'nothing more to offer');
    assert.deepEqual(seen.errors, [], 'no errors on the page');
  } finally {
    await close();
    server.close();
  }
});
