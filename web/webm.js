// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Reading the WebM the browser's recorder makes. It is written as a live
// stream: no duration in its header, so a player cannot say how long a
// clip lasts before it has read it all. Its pictures' times are in its
// blocks; from them the clip learns when its encoder has handed over the
// end of the stretch, and its file is given its duration.
export const BUILD = '@BUILD@';

const ID = {
  segment: 0x18538067, info: 0x1549a966, seekHead: 0x114d9b74, cues: 0x1c53bb6b,
  timecodeScale: 0x2ad7b1, duration: 0x4489, cluster: 0x1f43b675, timecode: 0xe7,
  simpleBlock: 0xa3, blockGroup: 0xa0, block: 0xa1,
};
// What a Segment holds besides clusters: an unsized cluster ends where
// one of these begins.
const SEGMENT_CHILDREN = new Set([ID.info, ID.seekHead, ID.cues, ID.cluster, 0x1654ae6b, 0x1941a469,
  0x1043a770, 0x1254c367]);
const UNKNOWN = -1;

// An EBML variable-length number at `at`: its width, and its value (the
// marker bit kept for an element's ID, dropped for a size, all ones an
// unknown size). null when the bytes end first or no width fits.
function vint(bytes, at, keepMarker) {
  if (at >= bytes.length) return null;
  const first = bytes[at];
  let width = 1;
  while (width <= 8 && !(first & (0x100 >> width))) width++;
  if (width > 8 || at + width > bytes.length) return null;
  let value = keepMarker ? first : first & (0xff >> width);
  let allOnes = value === 0xff >> width;
  for (let i = 1; i < width; i++) {
    value = value * 256 + bytes[at + i];
    allOnes = allOnes && bytes[at + i] === 0xff;
  }
  return { width, value: !keepMarker && allOnes ? UNKNOWN : value };
}

// The element at `at`: its ID, where its content starts, and where it ends
// (the end of `within` when unsized). null when its head is cut off.
function element(bytes, at, within) {
  const id = vint(bytes, at, true);
  const size = id && vint(bytes, at + id.width, false);
  if (!size) return null;
  const start = at + id.width + size.width;
  const end = size.value === UNKNOWN ? within : Math.min(within, start + size.value);
  return { id: id.value, at, start, end, unsized: size.value === UNKNOWN };
}

function readUint(bytes, start, end) {
  let value = 0;
  for (let i = start; i < end; i++) value = value * 256 + bytes[i];
  return value;
}

// The file's layout: its Segment, its Info, the scale of its times in
// nanoseconds, and the time of every picture in its blocks, in that scale,
// in the order written. Stops quietly where the bytes end.
function survey(bytes) {
  const found = { segment: null, info: null, scale: 1e6, times: [], movable: true };
  let at = 0;
  while (at < bytes.length && !found.segment) {
    const e = element(bytes, at, bytes.length);
    if (!e) return found;
    if (e.id === ID.segment) found.segment = e;
    at = e.unsized ? bytes.length : e.end;
  }
  if (!found.segment) return found;
  let clusterTime = 0;
  const clusterChild = (e) => {
    if (e.id === ID.timecode) clusterTime = readUint(bytes, e.start, e.end);
    const block = e.id === ID.simpleBlock ? e : e.id === ID.blockGroup ? firstChild(bytes, e, ID.block) : null;
    if (!block) return;
    const track = vint(bytes, block.start, false);
    if (!track || block.start + track.width + 2 > block.end) return;
    const relative = (bytes[block.start + track.width] << 24 >> 16) | bytes[block.start + track.width + 1];
    found.times.push(clusterTime + relative);
  };
  at = found.segment.start;
  while (at < found.segment.end) {
    const e = element(bytes, at, found.segment.end);
    if (!e) break;
    if (e.id === ID.info) {
      found.info = e;
      for (let c = e.start; c < e.end;) {
        const child = element(bytes, c, e.end);
        if (!child) break;
        if (child.id === ID.timecodeScale) found.scale = readUint(bytes, child.start, child.end);
        c = child.end;
      }
    }
    // Index elements hold places in the file that a longer Info moves.
    if (e.id === ID.seekHead || e.id === ID.cues) found.movable = false;
    if (e.id !== ID.cluster) { at = e.end; continue; }
    at = e.start;
    while (at < e.end) {
      const child = element(bytes, at, e.end);
      if (!child || (e.unsized && SEGMENT_CHILDREN.has(child.id))) break;
      clusterChild(child);
      at = child.end;
    }
  }
  return found;
}

const latest = (times) => times.reduce((a, b) => Math.max(a, b));

function firstChild(bytes, parent, id) {
  for (let at = parent.start; at < parent.end;) {
    const e = element(bytes, at, parent.end);
    if (!e) return null;
    if (e.id === id) return e;
    at = e.end;
  }
  return null;
}

// How far the pictures written so far reach, in milliseconds from the first.
export function reach(bytes) {
  const { scale, times } = survey(bytes);
  return times.length ? ((latest(times) - times[0]) * scale) / 1e6 : 0;
}

// The file with a Duration in its Info: its last picture's time plus one
// picture's share, as a player reckons it. Unchanged unless it is a
// stream as the recorder writes it (an unsized Segment, no index whose
// places a longer Info would move, no Duration yet).
export function withDuration(bytes) {
  const { segment, info, times, movable } = survey(bytes);
  if (!segment?.unsized || !info || times.length < 2 || !movable || firstChild(bytes, info, ID.duration)) return bytes;
  const first = times[0], last = latest(times);
  const duration = last - first + (last - first) / (times.length - 1);
  const entry = new Uint8Array(11);
  entry.set([0x44, 0x89, 0x88]);
  new DataView(entry.buffer).setFloat64(3, duration);
  const content = info.end - info.start;
  // Info's ID, then its size written again in eight bytes, whatever width it had.
  const head = new Uint8Array([0x15, 0x49, 0xa9, 0x66, ...sizeField(content + entry.length, 8)]);
  const grown = head.length + entry.length - (info.start - info.at);
  const out = new Uint8Array(bytes.length + grown);
  out.set(bytes.subarray(0, info.at));
  out.set(head, info.at);
  out.set(bytes.subarray(info.start, info.end), info.at + head.length);
  out.set(entry, info.at + head.length + content);
  out.set(bytes.subarray(info.end), info.end + grown);
  return out;
}

// An element's size as EBML writes it in `width` bytes.
function sizeField(value, width) {
  const field = [];
  for (let i = 0, v = value; i < width; i++, v = Math.floor(v / 256)) field.unshift(v % 256);
  field[0] |= 0x100 >> width;
  return field;
}
