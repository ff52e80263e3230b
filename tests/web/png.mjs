// Just enough PNG reading for the browser tests: 8-bit RGB and RGBA pictures,
// not interlaced (what Chromium's screenshots and the game's assets are),
// decoded to RGBA with node's own zlib.
import { readFileSync } from 'node:fs';
import { inflateSync } from 'node:zlib';

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

export function decodePng(bytes) {
  let at = 8, width = 0, height = 0, colorType = 0;
  const idat = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const data = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = data.readUInt32BE(0);
      height = data.readUInt32BE(4);
      colorType = data[9];
      if (data[8] !== 8 || (colorType !== 2 && colorType !== 6) || data[12] !== 0)
        throw new Error('unsupported PNG kind');
    } else if (type === 'IDAT') {
      idat.push(data);
    }
    at += 12 + length;
  }
  const channels = colorType === 6 ? 4 : 3;
  const raw = inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const rgba = Buffer.alloc(width * height * 4);
  const prev = Buffer.alloc(stride), row = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    raw.copy(row, 0, y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? row[x - channels] : 0, b = prev[x];
      const c = x >= channels ? prev[x - channels] : 0;
      const add = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      row[x] = (row[x] + add) & 255;
    }
    for (let x = 0; x < width; ++x) {
      for (let k = 0; k < 3; ++k) rgba[(y * width + x) * 4 + k] = row[x * channels + k];
      rgba[(y * width + x) * 4 + 3] = channels === 4 ? row[x * 4 + 3] : 255;
    }
    row.copy(prev);
  }
  return { width, height, rgba };
}

export function readPng(path) {
  return decodePng(readFileSync(path));
}
