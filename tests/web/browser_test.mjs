// The game's page in a real headless Chromium (software WebGL 2): it loads,
// shows the intro, skips it with Escape, shows the title picture as the
// asset has it, the gamepad's A button brings the menu as the desktop draws
// it, sound starts with a key, play starts and the castaway walks, and F11
// goes full screen and back.
// Islands picked from disk: a damaged one gets its notice, and the desktop's
// scripted raft voyage reaches the victory screen. A browser without WebGL 2,
// or a failed download, gets a message on the page.
// The music address in the page's address plays from the first key press.
// In a portal's iframe the game takes no keys until clicked, and Escape then
// "Play again" starts it anew without reloading the host. A lost GPU context
// comes back with the same picture; a hidden tab stops the game's passes and
// sound; unknown address settings start the game anyway.
// A game played in the page downloads as a replay the desktop plays back;
// replays picked from disk play back in the page, every state hash matched.
// Screenshots of each step go to PALMUT_WEB_SHOTS (default: a fresh temporary
// folder) for a person to look at.
//
//   node browser_test.mjs [site folder, default ../../build/web]
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, writeFileSync, existsSync, mkdirSync, renameSync, rmSync, truncateSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { extname, join, normalize, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium, devices } from 'playwright-core';
import { decodePng, readPng } from './png.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const site = resolve(process.argv[2] || join(here, '../../build/web'));
const assets = resolve(here, '../../assets');
const shots = process.env.PALMUT_WEB_SHOTS || mkdtempSync(join(tmpdir(), 'palmut-web-'));
mkdirSync(shots, { recursive: true });
const browserPath = process.env.PALMUT_CHROMIUM || '/usr/bin/chromium';
// Generous bounds: SwiftShader on a loaded two-core machine is slow.
const STEP_MS = 60000;

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.data': 'application/octet-stream' };

function serve(root) {
  const server = createServer((req, res) => {
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    const file = join(root, path === '/' ? 'index.html' : path);
    if (!file.startsWith(root) || !existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
    res.end(readFileSync(file));
  });
  return new Promise((ok) => server.listen(0, '127.0.0.1', () => ok(server)));
}

// Share of the picture's pixels whose channels all lie within `tolerance`
// of the expected picture's (both RGBA of the same size).
function matching(shot, expected, tolerance) {
  if (shot.width !== expected.width || shot.height !== expected.height) return 0;
  let same = 0;
  for (let i = 0; i < shot.rgba.length; i += 4) {
    let close = true;
    for (let k = 0; k < 3; ++k)
      if (Math.abs(shot.rgba[i + k] - expected.rgba[i + k]) > tolerance) close = false;
    if (close) ++same;
  }
  return same / (shot.width * shot.height);
}

function count(shot, test) {
  let n = 0;
  for (let i = 0; i < shot.rgba.length; i += 4)
    if (test(shot.rgba[i], shot.rgba[i + 1], shot.rgba[i + 2])) ++n;
  return n;
}

async function capture(page, name) {
  const bytes = await page.locator('#canvas').screenshot();
  writeFileSync(join(shots, name + '.png'), bytes);
  return decodePng(bytes);
}

// Captures until `done` accepts a picture or the bound passes.
async function waitForPicture(page, name, done) {
  const until = Date.now() + STEP_MS;
  for (;;) {
    const shot = await capture(page, name);
    if (done(shot)) return shot;
    if (Date.now() > until) throw new Error(`${name}: the expected picture never came`);
    await page.waitForTimeout(250);
  }
}

// A browser that cannot run the game says so on the page, never a blank
// canvas: one without WebGL 2, one whose download of a part fails, and a page
// opened from a file (in the browser's language, English here).
async function checkRefusals(browser, url) {
  const cases = [
    { name: 'no WebGL 2', text: 'WebGL 2', prepare: (page) => page.addInitScript(() => {
      const original = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return kind === 'webgl2' ? null : original.call(this, kind, ...rest);
      };
    }) },
    { name: 'program not downloaded', text: 'could not be downloaded',
      prepare: (page) => page.route('**/palmut.wasm', (r) => r.fulfill({ status: 404 })) },
    { name: 'assets not downloaded', text: 'could not be downloaded',
      prepare: (page) => page.route('**/palmut.data', (r) => r.fulfill({ status: 404 })) },
    { name: 'opened from a file', text: './web.sh --serve', address: `file://${site}/index.html`,
      prepare: () => {} },
  ];
  for (const c of cases) {
    const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
    try {
      await c.prepare(page);
      await page.goto(c.address || url);
      await page.waitForSelector('body[data-state="failed"]', { timeout: STEP_MS });
      const text = await page.locator('#status').innerText();
      if (!text.includes(c.text)) throw new Error(`${c.name}: the page says "${text}"`);
      if (await page.locator('#canvas').isVisible()) throw new Error(`${c.name}: the canvas still shows`);
      console.log(`${c.name}: the page says so`);
    } finally {
      await page.close();
    }
  }
}

// An island from the player's own disk, through the chooser's "load from
// disk" entry, on fresh pages: a damaged picture gets its notice and the
// island played stays; the test island of the desktop's scripted voyage
// loads and the voyage reaches the victory screen.
const LOAD_FROM_DISK_ROW = 4; // below the shipped islands: Down stops at the last row
const cursor = readPng(join(assets, 'gfx/C64intro/bearbeitet/0.png'));

// The game's passes each sleep once (Pause): counted, so keys are typed one
// pass apart, however slow the machine draws (in frames too).
function countSleeps(page) {
  return page.addInitScript(() => {
    const later = window.setTimeout;
    window.palmutSleeps = 0;
    window.setTimeout = function (f, ms, ...rest) {
      if (ms >= 40) window.palmutSleeps += 1;
      return later.call(this, f, ms, ...rest);
    };
  });
}

async function freshGame(browser, url, problems) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 }, deviceScaleFactor: 1,
                                       locale: 'de-DE' });
  page.on('console', (m) => { if (m.type() === 'error') problems.push(m.text()); });
  page.on('pageerror', (e) => problems.push(String(e)));
  await countSleeps(page);
  await page.goto(url);
  await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
  return page;
}

async function passes(page, n) {
  const start = await page.evaluate(() => window.palmutSleeps);
  await page.waitForFunction((until) => window.palmutSleeps >= until, start + n, { timeout: STEP_MS });
}

// Each key pressed two passes after the one before: the game reads keys once a pass.
async function type(page, ...keys) {
  for (const key of keys) {
    await page.keyboard.press(key);
    await passes(page, 2);
  }
}

function isMenu(s) {
  return count(s, (r, g, b) => r + g + b === 0) > s.width * s.height * 0.9 &&
    count(s, (r, g, b) => r > 200 && g < 60 && b < 60) > 200;
}

async function toTitleThenMenu(page, name, titleCheck) {
  await waitForPicture(page, name + '-title', titleCheck);
  // The title picture gives way to the menu at any key.
  await page.keyboard.press('x');
  await waitForPicture(page, name + '-menu', isMenu);
}

// Menu -> "KARTE WAEHLEN" -> the chooser's last row, whose Enter opens the
// page's file chooser, which gets `files`.
async function pickFromDisk(page, name, files) {
  await type(page, 'ArrowDown', 'Enter');
  await waitForPicture(page, name + '-chooser', isMenu);
  for (let i = 0; i < LOAD_FROM_DISK_ROW; ++i) await type(page, 'ArrowDown');
  const [chooser] = await Promise.all([page.waitForEvent('filechooser', { timeout: STEP_MS }),
                                       page.keyboard.press('Enter')]);
  if (!chooser.isMultiple()) throw new Error(`${name}: the file chooser takes one file only`);
  await chooser.setFiles(files);
}

// The damaged-map notice: white text on a black strip over the title
// picture's foot (rows 433 to 446), the rest as the picture has it.
function noticeOnTitle(title) {
  const strip = (s) => {
    const rows = { width: s.width, height: 14, rgba: s.rgba.subarray(433 * s.width * 4, 447 * s.width * 4) };
    return { black: count(rows, (r, g, b) => r + g + b === 0), white: count(rows, (r, g, b) => r > 200 && g > 200 && b > 200) };
  };
  const bare = strip(title);
  return (s) => {
    const seen = strip(s);
    return matching(s, title, 2) > 0.97 && seen.black > bare.black + 1000 && seen.white > bare.white + 100;
  };
}

async function damagedMapFromDisk(browser, url, folder, defaultPlay, problems) {
  const page = await freshGame(browser, url, problems);
  const title = readPng(join(assets, 'gfx/title_wip.png'));
  const isTitle = (s) => matching(s, title, 2) > 0.99;
  await waitForPicture(page, '6-intro', (s) => matching(s, cursor, 2) > 0.99);
  await page.keyboard.press('Escape');
  await toTitleThenMenu(page, '6', isTitle);
  const damaged = join(folder, 'Wrack.png');
  writeFileSync(damaged, Buffer.from('\x89PNG\r\n\x1a\n not a picture after all '.repeat(40), 'latin1'));
  await pickFromDisk(page, '7-damaged', [damaged]);
  await toTitleThenMenu(page, '7-damaged', noticeOnTitle(title));
  console.log('a damaged map from disk got its notice on the title picture');
  // A file over the size bound is refused before it is read (a sparse file).
  const huge = join(folder, 'Riesig.png');
  writeFileSync(huge, '');
  truncateSync(huge, 33 * 1024 * 1024);
  await pickFromDisk(page, '7-huge', [huge]);
  await toTitleThenMenu(page, '7-huge', noticeOnTitle(title));
  console.log('a map too big got its notice on the title picture');
  // More files than a pick takes: the page names the ones left out.
  const many = Array.from({ length: 17 }, (_, i) => join(folder, `Viele${i}.png`));
  for (const file of many) writeFileSync(file, readFileSync(damaged));
  await pickFromDisk(page, '7-many', many);
  await page.waitForSelector('#note:not([hidden])', { timeout: STEP_MS });
  const note = await page.locator('#note').innerText();
  if (!note.includes('Viele16.png') || note.includes('Viele15.png')) throw new Error(`17 files picked: the page says "${note}"`);
  await page.evaluate(() => { document.getElementById('note').hidden = true; }); // off the pictures below
  await toTitleThenMenu(page, '7-many', noticeOnTitle(title));
  console.log('the files left out of a pick were named');
  // Play goes on, on the island played before.
  await type(page, 'Enter');
  const play = await waitForPicture(page, '7-damaged-play', (s) =>
    count(s, (r, g, b) => r + g + b > 30) > s.width * s.height / 2);
  await page.waitForTimeout(500);
  const settled = await capture(page, '7-damaged-play');
  const same = matching(settled, defaultPlay, 2);
  if (same < 0.9) throw new Error(`damaged map: play is not on the island before (${same} alike)`);
  console.log('play went on on the island before');
  await page.close();
  return play;
}

// The desktop's scripted raft voyage (tests/blackbox/play_through.sh, victory).
async function raftVoyage(page) {
  await page.keyboard.down('d');
  await page.waitForTimeout(1500);
  await page.keyboard.up('d');
  await passes(page, 2);
  await type(page, ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd');
  await type(page, 'c', 'd', 'd', 'd', 'd', 'd', 'Enter', 'd');
  await type(page, 'Enter');
  await type(page, 'a', 's', ' ', 'a', ' ', 'd', 'w', 'd');
  await type(page, 'c', 'a', 'Enter', 'd', 'Enter');
  await type(page, 'a', 's', 's', ' ', 'a', ' ', 'd', 'w', 'w', 'd');
  await type(page, 'c', 'a', 'Enter', 'd', 'Enter');
}

async function voyageFromDisk(browser, url, folder, problems) {
  const island = join(folder, 'island');
  mkdirSync(island);
  const made = spawnSync('python3', [join(here, '../blackbox/make_island.py'), 'victory', island]);
  if (made.status !== 0) throw new Error('make_island.py failed: ' + made.stderr);
  // Capitals in the names: the game lower-cases the chosen path.
  const files = ['png', 'map', 'critter'].map((ext) => {
    const to = join(island, 'Beach.' + ext);
    renameSync(join(island, 'map.' + ext), to);
    return to;
  });
  const page = await freshGame(browser, url, problems);
  const title = readPng(join(assets, 'gfx/title_wip.png'));
  const isTitle = (s) => matching(s, title, 2) > 0.99;
  await waitForPicture(page, '8-intro', (s) => matching(s, cursor, 2) > 0.99);
  await page.keyboard.press('Escape');
  await toTitleThenMenu(page, '8', isTitle);
  await pickFromDisk(page, '9-island', files);
  await toTitleThenMenu(page, '9-island', isTitle);
  await type(page, 'Enter');
  // The test island: sea along the top row and the left column, grass beyond.
  await waitForPicture(page, '9-island-play', (s) =>
    count(s, (r, g, b) => g > 150 && r < 120 && b < 60) > s.width * s.height / 4);
  await passes(page, 3);
  const started = Date.now();
  await raftVoyage(page);
  // Red text on black: the victory screen, as play_through.sh sees it.
  const victory = await waitForPicture(page, '10-victory', (s) =>
    count(s, (r, g, b) => r > 200 && g < 60 && b < 60) > 500 &&
    count(s, (r, g, b) => r + g + b === 0) > s.width * s.height * 0.9 &&
    count(s, (r, g, b) => g > 60 || b > 60) === 0);
  console.log(`raft voyage reached the victory screen in ${Date.now() - started} ms`);
  const golden = readPng(join(here, '../golden/victory.png'));
  const share = matching(victory, golden, 1);
  if (share < 1) throw new Error(`victory: ${Math.round((1 - share) * victory.width * victory.height)} pixels differ from the desktop's`);
  console.log('victory screen shown, as the desktop draws it');
  await page.close();
}

// A short game on an island picked from disk, ended with Escape in play: its
// replay downloads from the ended screen beside the island's files, and the
// desktop build (when built) plays it back headless. Then replays picked
// through "Play a replay" play back in the page to their end: a golden one,
// and the one just downloaded with its island's files.
async function replaysInPage(browser, url, problems) {
  const folder = mkdtempSync(join(tmpdir(), 'palmut-replays-'));
  const page = await freshGame(browser, url, problems);
  try {
    const made = spawnSync('python3', [join(here, '../blackbox/make_island.py'), 'victory', folder]);
    if (made.status !== 0) throw new Error('make_island.py failed: ' + made.stderr);
    const island = ['png', 'map', 'critter'].map((ext) => {
      const to = join(folder, 'Beach.' + ext);
      renameSync(join(folder, 'map.' + ext), to);
      return to;
    });
    const title = readPng(join(assets, 'gfx/title_wip.png'));
    const isTitle = (s) => matching(s, title, 2) > 0.99;
    await waitForPicture(page, '11-intro', (s) => matching(s, cursor, 2) > 0.99);
    await page.keyboard.press('Escape');
    await toTitleThenMenu(page, '11', isTitle);
    await pickFromDisk(page, '11-island', island);
    await toTitleThenMenu(page, '11-island', isTitle);
    await type(page, 'Enter');
    await waitForPicture(page, '11-play', (s) =>
      count(s, (r, g, b) => g > 150 && r < 120 && b < 60) > s.width * s.height / 4);
    await type(page, 'ArrowDown', 'ArrowRight');
    await page.keyboard.press('Escape'); // the game's end: no passes after it
    await page.waitForSelector('body[data-state="ended"] #download:not([hidden])', { timeout: STEP_MS });
    const [download] = await Promise.all([page.waitForEvent('download', { timeout: STEP_MS }),
                                          page.locator('#download').click()]);
    const game = join(folder, download.suggestedFilename());
    await download.saveAs(game);
    if (!game.endsWith('.palmutreplay')) throw new Error(`replay download: named ${game}`);
    const desktop = process.env.PALMUT_DESKTOP || resolve(here, '../../build/default/palmut');
    if (existsSync(desktop)) {
      const run = spawnSync(desktop, ['--replay', game, '--headless'], { encoding: 'utf8', timeout: STEP_MS });
      if (run.status !== 0) throw new Error(`the page's replay on the desktop: status ${run.status}\n${run.stdout}${run.stderr}`);
      console.log('the page\'s replay played back on the desktop: ' + run.stdout.trim());
    } else {
      console.log(`SKIPPED: no desktop build at ${desktop}; the page's replay was not played on the desktop`);
    }
    for (const files of [[join(here, '../replays/death_lizard.palmutreplay')], [game, ...island]]) {
      // The verdict of the row before must not pass for this one's.
      await page.evaluate(() => { delete document.body.dataset.replay; });
      const [chooser] = await Promise.all([page.waitForEvent('filechooser', { timeout: STEP_MS }),
                                           page.locator('#watch').click()]);
      await chooser.setFiles(files);
      await page.waitForSelector('body[data-state="ended"][data-replay]', { timeout: STEP_MS });
      const verdict = await page.evaluate(() => document.body.dataset.replay);
      const said = await page.locator('#message').innerText();
      if (verdict !== 'matched') throw new Error(`replay ${files[0]} in the page: ${verdict}: ${said}`);
      console.log(`replay played back in the page: ${said}`);
    }
  } finally {
    await page.close();
    rmSync(folder, { recursive: true, force: true });
  }
}

async function loadFromDisk(browser, url, defaultPlay, problems) {
  const folder = mkdtempSync(join(tmpdir(), 'palmut-disk-'));
  try {
    await damagedMapFromDisk(browser, url, folder, defaultPlay, problems);
    await voyageFromDisk(browser, url, folder, problems);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The browser takes the GPU away and gives a fresh context: the page shows
// its notice meanwhile, and then the same picture as before.
async function loseContext(page, before) {
  await page.evaluate(() => {
    window.palmutLoser = document.getElementById('canvas').getContext('webgl2').getExtension('WEBGL_lose_context');
    window.palmutLoser.loseContext();
  });
  await page.waitForSelector('#lost:not([hidden])', { timeout: STEP_MS });
  await page.evaluate(() => window.palmutLoser.restoreContext());
  await page.waitForSelector('#lost[hidden]', { state: 'attached', timeout: STEP_MS });
  await waitForPicture(page, '3-restored', (s) => matching(s, before, 1) === 1);
  console.log('the GPU context was lost and restored, the picture as before');
}

// A background tab (headless Chromium never hides one, so it is told): no
// pass is drawn and the sound is suspended while the page keeps waiting,
// and both go on once it is shown again.
async function hideTab(page) {
  const setHidden = (hidden) => page.evaluate((h) => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => h });
    Object.defineProperty(document, 'visibilityState', { configurable: true, get: () => (h ? 'hidden' : 'visible') });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
  await setHidden(true);
  await page.evaluate(() => { Module.palmutFrames = []; });
  await passes(page, 8); // the hidden page's waits
  const hidden = await page.evaluate(() => [Module.palmutFrames.length, Module.palmutAudio.state]);
  if (hidden[0] !== 0 || hidden[1] !== 'suspended')
    throw new Error(`hidden tab: ${hidden[0]} frames drawn, sound ${hidden[1]}`);
  await setHidden(false);
  await page.waitForFunction(() => Module.palmutFrames.length > 0 && Module.palmutAudio.state === 'running',
                             null, { timeout: STEP_MS });
  await page.evaluate(() => { Module.palmutFrames = null; });
  console.log('a hidden tab drew nothing and was silent; shown again, play went on');
}

// A portal's page: an article far longer than the window, the game in an
// iframe from another origin near its end.
function servePortal(gameUrl) {
  const article = '<p>' + 'Lorem ipsum dolor sit amet. '.repeat(30) + '</p>';
  const html = `<!doctype html><title>Portal</title><h1>News</h1>${article.repeat(30)}
    <button id="full" onclick="document.getElementById('game').requestFullscreen()">Full screen</button>
    <iframe id="game" src="${gameUrl}" width="800" height="600" allowfullscreen></iframe>${article}`;
  const server = createServer((req, res) => {
    res.writeHead(200, { 'Content-Type': 'text/html' });
    res.end(html);
  });
  return new Promise((ok) => server.listen(0, '127.0.0.1', () => ok(server)));
}

// The game as a guest: focus and keys stay with the host at load (a reader's
// blind Space and Escapes neither reach nor end it), a click gives the game
// its keys (which no longer scroll the host), Escape in the menu ends it,
// and "Play again" starts it in place, the host never reloaded; Tab leaves it,
// and the portal's own full-screen button gives it the keys again.
async function checkPortal(browser, url, problems) {
  const portal = await servePortal(url);
  const page = await browser.newPage({ viewport: { width: 1000, height: 700 }, deviceScaleFactor: 1,
                                       locale: 'de-DE' });
  page.on('pageerror', (e) => problems.push(String(e)));
  await countSleeps(page);
  try {
    await page.goto(`http://127.0.0.1:${portal.address().port}/`);
    await page.evaluate(() => { window.hostVisit = 1; });
    const frame = await (await page.$('#game')).contentFrame();
    await frame.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
    await frame.waitForSelector('#cue:not([hidden])', { timeout: STEP_MS });
    for (const key of ['Space', 'Escape', 'Escape', 'PageDown', 'Escape']) await page.keyboard.press(key);
    await page.waitForFunction(() => window.scrollY > 0, null, { timeout: STEP_MS });
    const state = await frame.evaluate(() => [document.body.dataset.state, document.hasFocus()]);
    if (state[0] !== 'running' || state[1]) throw new Error(`portal: keys at load reached the game: ${state}`);
    console.log('portal: the host kept focus and scrolled by keyboard; the game took no key');

    await page.locator('#game').scrollIntoViewIfNeeded();
    await page.locator('#game').click();
    await frame.waitForSelector('#cue[hidden]', { state: 'attached', timeout: STEP_MS });
    const scrolled = await page.evaluate(() => window.scrollY);
    await frame.evaluate(() => { window.frameVisit = 1; });
    // Escape leaves the intro, the title picture and then the game, from the
    // menu; the arrow keys move the menu's choice and must not scroll the host.
    for (let i = 0; i < 20 && (await frame.evaluate(() => document.body.dataset.state)) !== 'ended'; ++i) {
      for (const key of ['ArrowDown', 'Escape']) {
        const start = await frame.evaluate(() => window.palmutSleeps);
        await page.keyboard.press(key);
        await frame.waitForFunction((until) => document.body.dataset.state === 'ended' ||
                                    window.palmutSleeps >= until, start + 2, { timeout: STEP_MS });
      }
    }
    await frame.waitForSelector('body[data-state="ended"]', { timeout: STEP_MS });
    if (await page.evaluate(() => window.scrollY) !== scrolled) throw new Error('portal: the game\'s keys scrolled the host');
    await page.keyboard.press('Enter');
    await frame.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
    const kept = await Promise.all([page.evaluate(() => window.hostVisit), frame.evaluate(() => window.frameVisit)]);
    if (kept[0] !== 1 || kept[1] !== 1) throw new Error('portal: playing again reloaded a page');
    await frame.waitForFunction(() => document.activeElement === document.getElementById('canvas'), null,
                                { timeout: STEP_MS });
    console.log('portal: a click gave the game its keys; Escape ended it, Enter played again in place');
    await page.keyboard.press('Tab');
    await frame.waitForSelector('#cue:not([hidden])', { timeout: STEP_MS });
    console.log('portal: Tab left the game');
    await page.locator('#full').click();
    await frame.waitForFunction(() => document.hasFocus() && document.activeElement === document.getElementById('canvas'),
                                null, { timeout: STEP_MS });
    console.log('portal: its own full-screen button gave the game its keys');
  } finally {
    await page.close();
    portal.close();
  }
}

// Address settings the game lacks start it anyway: an unknown language
// follows the browser's, then English; a missing island leaves the default
// one with the title picture's notice.
async function checkAddress(browser, url, problems) {
  const rows = [
    { query: '?lang=ko&map=nothere', locale: 'de-DE', lang: 'de', title: 'gfx/title_wip.png' },
    { query: '?lang=zz&map=../../etc', locale: 'ko-KR', lang: 'en', title: 'gfx/en/title_wip.png' },
  ];
  for (const row of rows) {
    const page = await browser.newPage({ viewport: { width: 640, height: 480 }, deviceScaleFactor: 1,
                                         locale: row.locale });
    page.on('pageerror', (e) => problems.push(String(e)));
    try {
      await page.goto(url + row.query);
      await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
      await page.keyboard.press('Escape');
      await waitForPicture(page, '11-address', noticeOnTitle(readPng(join(assets, row.title))));
      const seen = await page.evaluate(() => [document.body.dataset.state, document.documentElement.lang]);
      if (seen[0] !== 'running' || seen[1] !== row.lang)
        throw new Error(`address ${row.query}: the page is ${seen[0]} in ${seen[1]}`);
    } finally {
      await page.close();
    }
  }
  console.log('unknown address settings started the game, in the browser\'s language');

  // A shared island reaches the program: it grows the seed's island, and the
  // daily one from today's UTC date, as the desktop's --seed and --daily do.
  const day = new Date().toISOString().slice(0, 10).replaceAll('-', '');
  for (const [query, grown] of [['?seed=2-42&size=64x64', 'island seed:2-42:64x64:'],
                                ['?island=daily', `island daily:2-${day}:`]]) {
    const page = await browser.newPage({ viewport: { width: 640, height: 480 }, deviceScaleFactor: 1 });
    page.on('pageerror', (e) => problems.push(String(e)));
    try {
      const logged = page.waitForEvent('console', { predicate: (m) => m.text().startsWith(grown), timeout: STEP_MS });
      await page.goto(url + query);
      await logged;
    } finally {
      await page.close();
    }
  }
  console.log('?seed= and ?island=daily grew their islands in the program');
}

// Phones (Chromium's own descriptors, touch only): the pad shows at a
// touch, its buttons are big enough for thumbs, and taps alone go from the
// intro through the title picture and the menu into play, in portrait and in
// landscape.
async function checkPhones(browser, url, problems) {
  for (const name of ['Pixel 7', 'iPhone 13 landscape']) {
    const { defaultBrowserType, ...device } = devices[name];
    const context = await browser.newContext({ ...device, locale: 'de-DE' });
    const page = await context.newPage();
    page.on('pageerror', (e) => problems.push(String(e)));
    await countSleeps(page);
    try {
      await page.goto(url);
      await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
      const canvasBox = await page.locator('#canvas').boundingBox();
      await page.touchscreen.tap(canvasBox.x + canvasBox.width / 2, canvasBox.y + canvasBox.height / 2);
      await page.waitForSelector('#pad .cluster', { state: 'visible', timeout: STEP_MS });
      const tap = async (key) => {
        const box = await page.locator(`.cluster button[data-key="${key}"]`).boundingBox();
        if (box.width < 48 || box.height < 48) throw new Error(`${name}: the ${key} button is ${box.width} x ${box.height}`);
        await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
        await passes(page, 2);
      };
      // Play on the starter island: much grass (the title picture has little).
      const inPlay = (s) => count(s, (r, g, b) => g > 150 && r < 120 && b < 60) > s.width * s.height * 0.15;
      await tap('Escape'); // the intro
      // Enter leaves the title picture, then starts the menu's first entry.
      // (No step after: the island's critters are placed at random, and one may
      // stand beside the castaway.)
      for (let i = 0; i < 8 && !inPlay(await capture(page, `12-${name}`)); ++i) await tap('Enter');
      await waitForPicture(page, `12-${name}`, inPlay);
      await page.screenshot({ path: join(shots, `12-${name}-page.png`) });
      console.log(`${name}: taps alone went from the intro into play`);
    } finally {
      await context.close();
    }
  }
}

// The raft voyage on a phone, by taps alone: the test island from disk
// through the chooser's "load from disk", and the desktop's scripted voyage
// with its keys on the pad (WASD as the arrows; a held key as a held finger).
async function phoneVoyage(browser, url, problems) {
  const folder = mkdtempSync(join(tmpdir(), 'palmut-phone-'));
  const { defaultBrowserType, ...device } = devices['Pixel 7'];
  const context = await browser.newContext({ ...device, locale: 'de-DE' });
  const page = await context.newPage();
  page.on('pageerror', (e) => problems.push(String(e)));
  await countSleeps(page);
  try {
    const made = spawnSync('python3', [join(here, '../blackbox/make_island.py'), 'victory', folder]);
    if (made.status !== 0) throw new Error('make_island.py failed: ' + made.stderr);
    const files = ['png', 'map', 'critter'].map((ext) => join(folder, 'map.' + ext));
    await page.goto(url);
    await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
    const box = await page.locator('#canvas').boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    await page.waitForSelector('#pad .cluster', { state: 'visible', timeout: STEP_MS });
    const PAD = { d: 'ArrowRight', a: 'ArrowLeft', s: 'ArrowDown', w: 'ArrowUp', Escape: 'Escape',
                  Enter: 'Enter', ' ': ' ', c: 'c', ArrowDown: 'ArrowDown', x: 'Enter' };
    const centre = async (key) => {
      const b = await page.locator(`.cluster button[data-key="${PAD[key]}"]`).boundingBox();
      return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
    };
    const tap = async (...keys) => {
      for (const key of keys) {
        const { x, y } = await centre(key);
        await page.touchscreen.tap(x, y);
        await passes(page, 2);
      }
    };
    const menu = (s) => isMenu(s);
    await tap('Escape');
    for (let i = 0; i < 8 && !menu(await capture(page, '13-phone-menu')); ++i) await tap('Enter');
    await tap('ArrowDown', 'Enter');
    for (let i = 0; i < LOAD_FROM_DISK_ROW; ++i) await tap('ArrowDown');
    const at = await centre('Enter');
    const [chooser] = await Promise.all([page.waitForEvent('filechooser', { timeout: STEP_MS }),
                                         page.touchscreen.tap(at.x, at.y)]);
    await chooser.setFiles(files);
    await waitForPicture(page, '13-phone-title', (s) => !menu(s));
    await tap('Enter');
    await waitForPicture(page, '13-phone-menu', menu);
    await tap('Enter');
    await waitForPicture(page, '13-phone-play', (s) =>
      count(s, (r, g, b) => g > 150 && r < 120 && b < 60) > s.width * s.height / 4);
    await passes(page, 3);
    // The held 'd' of the desktop's script: a finger on the right arrow.
    const cdp = await context.newCDPSession(page);
    const right = await centre('d');
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [right] });
    await page.waitForTimeout(1500); // how long the finger rests, as the script's key
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    await passes(page, 2);
    await tap(' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd', ' ', 'd');
    await tap('c', 'd', 'd', 'd', 'd', 'd', 'Enter', 'd');
    await tap('Enter');
    await tap('a', 's', ' ', 'a', ' ', 'd', 'w', 'd');
    await tap('c', 'a', 'Enter', 'd', 'Enter');
    await tap('a', 's', 's', ' ', 'a', ' ', 'd', 'w', 'w', 'd');
    await tap('c', 'a', 'Enter', 'd', 'Enter');
    await waitForPicture(page, '13-phone-victory', (s) =>
      count(s, (r, g, b) => r > 200 && g < 60 && b < 60) > 100 &&
      count(s, (r, g, b) => r + g + b === 0) > s.width * s.height * 0.9);
    console.log('Pixel 7: the raft voyage reached the victory screen by taps alone');
  } finally {
    await context.close();
    rmSync(folder, { recursive: true, force: true });
  }
}

async function main() {
  const server = await serve(site);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({
    executablePath: browserPath,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
  const problems = [];
  try {
    // 640 x 480 CSS pixels at ratio 1: the picture lands unscaled, as the assets are.
    // A German browser: the game follows the browser's language, and the
    // reference frames are German.
    const page = await browser.newPage({ viewport: { width: 640, height: 480 }, deviceScaleFactor: 1,
                                         locale: 'de-DE' });
    // A quiet console: no errors, and no deprecated interface (the sound).
    page.on('console', (m) => {
      if (m.type() === 'error' || /deprecated/i.test(m.text())) problems.push(m.text());
    });
    page.on('pageerror', (e) => problems.push(String(e)));
    // One gamepad of the standard layout, its buttons set by the test.
    await page.addInitScript(() => {
      const pad = { connected: true, id: 'test pad', index: 0, mapping: 'standard', timestamp: 0,
                    axes: [0, 0, 0, 0],
                    buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
      window.pressPadButton = (b, down) => {
        pad.buttons[b] = { pressed: down, value: down ? 1 : 0 };
        pad.timestamp += 1;
      };
      navigator.getGamepads = () => [pad];
    });
    await countSleeps(page);
    const started = Date.now();
    await page.goto(url);
    await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });

    const cursor = readPng(join(assets, 'gfx/C64intro/bearbeitet/0.png'));
    await waitForPicture(page, '1-intro', (s) => matching(s, cursor, 2) > 0.99);
    console.log(`intro shown ${Date.now() - started} ms after the page was asked for`);

    await page.keyboard.press('Escape');
    const title = readPng(join(assets, 'gfx/title_wip.png'));
    await waitForPicture(page, '2-title', (s) => matching(s, title, 2) > 0.99);
    console.log('title picture shown');

    // The gamepad's A button types a space, as on the desktop.
    await page.evaluate(() => window.pressPadButton(0, true));
    await page.waitForTimeout(300);
    await page.evaluate(() => window.pressPadButton(0, false));
    // The menu: white entries and the chosen one red, on black (the title
    // picture has red and white too, but little black).
    const menu = await waitForPicture(page, '3-menu', (s) =>
      count(s, (r, g, b) => r + g + b === 0) > s.width * s.height * 0.9 &&
      count(s, (r, g, b) => r > 200 && g < 60 && b < 60) > 200 &&
      count(s, (r, g, b) => r > 200 && g > 200 && b > 200) > 500);
    // The same picture as the desktop's reference frame, pixel for pixel
    // within the desktop tests' tolerance.
    const golden = readPng(join(here, '../golden/menu.png'));
    const share = matching(menu, golden, 1);
    if (share < 1) throw new Error(`menu: ${Math.round((1 - share) * menu.width * menu.height)} pixels differ from the desktop's`);
    console.log('menu shown, as the desktop draws it');
    await loseContext(page, golden);
    // "Spiel starten": the island, mostly not black.
    await page.keyboard.press('Enter');
    // Browsers start sound with the first key press (Escape does not count).
    const audio = await page.evaluate(() => Module.palmutAudio && Module.palmutAudio.state);
    if (audio !== 'running') throw new Error(`audio not running after key presses: ${audio}`);
    await waitForPicture(page, '4-play', (s) =>
      count(s, (r, g, b) => r + g + b > 30) > s.width * s.height / 2);
    // The view once play has settled in, before the first step.
    await page.waitForTimeout(500);
    const play = await capture(page, '4-play');
    // Walking changes the picture: the castaway or the view moves.
    await page.keyboard.down('ArrowRight');
    await page.waitForTimeout(600);
    await page.keyboard.up('ArrowRight');
    await waitForPicture(page, '5-walked', (s) => matching(s, play, 0) < 0.99);
    console.log('play started and the castaway walked');
    await hideTab(page);
    // F11 asks the browser for full screen and leaves it, as on the desktop.
    for (const wanted of [true, false]) {
      await page.keyboard.press('F11');
      await page.waitForFunction((on) => !!document.fullscreenElement === on, wanted, { timeout: STEP_MS });
    }
    console.log('F11 went full screen and back');
    await loadFromDisk(browser, url, play, problems);
    await replaysInPage(browser, url, problems);
    await checkPortal(browser, url, problems);
    await checkAddress(browser, url, problems);
    await checkPhones(browser, url, problems);
    await phoneVoyage(browser, url, problems);

    if (problems.length) throw new Error('page reported errors:\n' + problems.join('\n'));
    await checkRefusals(browser, url);
    await checkMusic(browser, url);
    console.log(`browser test passed; screenshots in ${shots}`);
  } finally {
    await browser.close();
    server.close();
  }
}

// A radio station on another host: the victory tune at a stream's address,
// nothing anywhere else.
function serveStream() {
  const tune = readFileSync(join(assets, 'sfx/winningtheme.ogg'));
  const server = createServer((req, res) => {
    if (new URL(req.url, 'http://x').pathname !== '/live/palmut.ogg') {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'Content-Type': 'audio/ogg', 'Cache-Control': 'no-cache' });
    res.end(tune);
  });
  return new Promise((ok) => server.listen(0, '127.0.0.1', () => ok(server)));
}

// The page with `stream` as its music address, past the intro (Escape is no
// gesture that lets a page play sound) once the game has started its stream.
async function openWithStream(browser, url, stream, log) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 }, deviceScaleFactor: 1,
                                       locale: 'de-DE' });
  page.on('console', (m) => log.push(`${m.type()}: ${m.text()}`));
  page.on('pageerror', (e) => log.push(`pageerror: ${e}`));
  // The driver's own calls count as gestures in Chromium: the page is told
  // that nobody has pressed a key yet, as on a real first visit.
  await page.addInitScript(() => {
    Object.defineProperty(navigator, 'userActivation', { value: { hasBeenActive: false } });
  });
  await page.goto(`${url}?sound=0&stream=${encodeURIComponent(stream)}`);
  await page.waitForSelector('body[data-state="running"]', { timeout: STEP_MS });
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => Module.palmutMusic && Module.palmutMusic.wanted, null,
                             { timeout: STEP_MS });
  return page;
}

const musicTime = (page) => page.evaluate(() => document.getElementById('music').currentTime);

// The music address plays in the page's audio element from the first key
// press on; an address that fails leaves the game running, with a line in
// the console and no error on the page.
async function checkMusic(browser, url) {
  const station = await serveStream();
  const base = `http://127.0.0.1:${station.address().port}`;
  try {
    const log = [];
    const page = await openWithStream(browser, url, `${base}/live/palmut.ogg`, log);
    if (!(await page.evaluate(() => document.getElementById('music').paused)))
      throw new Error('music: played before any key press');
    await page.keyboard.press('Space');
    await page.waitForFunction(() => {
      const el = document.getElementById('music');
      return !el.paused && el.currentTime > 0;
    }, null, { timeout: STEP_MS });
    const started = await musicTime(page);
    await page.waitForTimeout(1500);
    const later = await musicTime(page);
    if (!(later > started)) throw new Error(`music: stands still at ${started} s`);
    const source = await page.evaluate(() => document.getElementById('music').currentSrc);
    if (source !== `${base}/live/palmut.ogg`) throw new Error(`music: plays ${source}`);
    await page.close();
    console.log(`music played from the first key press (${started.toFixed(2)} s to ${later.toFixed(2)} s)`);

    const failing = [];
    const gone = await openWithStream(browser, url, `${base}/gone.ogg`, failing);
    await gone.keyboard.press('Space');
    await gone.waitForFunction(() => Module.palmutMusic.failed, null, { timeout: STEP_MS });
    await gone.waitForTimeout(500);
    const state = await gone.evaluate(() => document.body.dataset.state);
    await gone.close();
    if (state !== 'running') throw new Error(`missing music ended the game: ${state}`);
    if (!failing.some((l) => l.startsWith('log: music: ') && l.includes('cannot be played')))
      throw new Error('missing music: no line in the console:\n' + failing.join('\n'));
    const errors = [...log, ...failing].filter((l) => /^(pageerror|error):/.test(l) &&
                                                      !l.includes('404'));
    if (errors.length) throw new Error('music: page reported errors:\n' + errors.join('\n'));
    console.log('a missing music address left the game running');
  } finally {
    station.close();
  }
}

main().catch((e) => {
  console.error(String(e.stack || e));
  process.exit(1);
});
