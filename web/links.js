// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// Links to watch a recording, and the links to the visit's own recording.
// A link is the page's address with #watch=DATA[&vs=DATA][&t=N], DATA a
// script compressed with raw DEFLATE and written in base64url without
// padding; the one after &vs= is a second game of the same wall, compared
// with the first.
export const BUILD = '@BUILD@';

const base64url = (bytes) => {
  let s = '';
  for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(s).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
};
const unbase64url = (text) => {
  const s = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(s, (c) => c.charCodeAt(0));
};
const through = async (bytes, stream) =>
  new Uint8Array(await new Response(new Blob([bytes]).stream().pipeThrough(stream)).arrayBuffer());

// The fragment's DATA, the second's (vs, '' for none) and point;
// { malformed: true } for a link to watch that is broken; null when it is
// no link to watch. A point too large for a number is past every end,
// which the viewer takes for the last point.
export function parseLink(hash) {
  if (!/^#watch(?:$|[=&])/.test(hash)) return null;
  const m = /^#watch(?:=([A-Za-z0-9_-]*))?(?:&vs=([A-Za-z0-9_-]+))?(?:&t=(\d+))?$/.exec(hash);
  // Base64 without padding never leaves one character over.
  if (!m || (m[1] ?? '').length % 4 === 1 || (m[2] ?? '').length % 4 === 1) return { malformed: true };
  return { data: m[1] || '', vs: m[2] || '', t: m[3] === undefined ? 0 : Number(m[3]) };
}
export async function linkData(bytes) {
  return base64url(await through(bytes, new CompressionStream('deflate-raw')));
}
// A stream's bytes as they come, never more than `limit`: a longer stream
// is cut after its last whole line within it, and read no further.
export async function readBounded(stream, limit) {
  const reader = stream.getReader(), bytes = new Uint8Array(limit);
  let size = 0, cut = false;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    if (size + value.length > limit) {
      bytes.set(value.subarray(0, limit - size), size);
      cut = true;
      reader.cancel().catch(() => {});
      size = bytes.lastIndexOf(10) + 1;
      break;
    }
    bytes.set(value, size);
    size += value.length;
  }
  return { bytes: bytes.slice(0, size), cut };
}
// The script a link's DATA holds, up to `limit` bytes of it.
export function scriptOf(data, limit) {
  return readBounded(new Blob([unbase64url(data)]).stream().pipeThrough(new DecompressionStream('deflate-raw')), limit);
}
// The text after "#race=" of a link to race a wall (the module says
// whether it is a wall); null when it is no race link.
export function parseRace(hash) {
  if (!/^#race(?:$|=)/.test(hash)) return null;
  return hash.slice('#race='.length);
}
// A link to race on a wall, for someone else.
export const raceLink = (wall) => `${location.origin}${location.pathname}#race=${wall}`;
export const address = (data, t, vs = '') =>
  `${location.origin}${location.pathname}#watch=${data}${vs ? `&vs=${vs}` : ''}${t ? `&t=${t}` : ''}`;
// A link to watch a recording, for a tab of its own.
export const watchLink = async (script) => address(await linkData(new TextEncoder().encode(script)), 0);

// The visit's recording, as the game writes it, behind two links: a
// download and a link to watch it. Both have a real address before they
// are clicked (for a long press or "Save link as"), renewed a quarter of
// a second after the recording grew, with the ticks run by then: while the
// game runs, never more than about 16 ticks behind it. `settle` has the
// game write the ticks since its last line. Before the recording reaches
// `limit` (what a link or the viewer takes), `full` says that the rest
// will not fit.
export class VisitRecording {
  constructor(download, watch, settle, limit, full) {
    Object.assign(this, { download, watch, settle, limit, full, text: '', renewals: 0, renewTimer: 0 });
    const begun = new Date().toISOString().replace(/[-:]/g, '').replace('T', '-').slice(0, 15);
    download.download = `brontix-${begun}.brontix`;
    // A click takes everything up to that moment.
    download.addEventListener('click', () => this.upToNow());
    watch.addEventListener('click', async (e) => {
      e.preventDefault();
      await this.upToNow();
      window.open(watch.href, '_blank');
    });
  }

  add(text) {
    this.text += text;
    // Nine tenths of the way: time enough to download what fits.
    if (this.full.hidden && this.text.length >= this.limit * 0.9) {
      this.full.textContent = ` · This visit's recording is nearly ${this.limit / 2 ** 20} MiB: what comes after `
        + 'will not fit a link or the viewer. Download it now to keep it whole.';
      this.full.hidden = false;
    }
    if (!this.renewTimer) this.renewTimer = setTimeout(() => this.upToNow(), 250);
  }

  upToNow() {
    clearTimeout(this.renewTimer);
    this.renewTimer = 0;
    this.settle();
    return this.renew();
  }

  // The download's address at once; the watch link once it is compressed,
  // unless a newer one was asked for meanwhile.
  renew() {
    const mine = ++this.renewals;
    URL.revokeObjectURL(this.download.href);
    this.download.href = URL.createObjectURL(new Blob([this.text], { type: 'application/x-brontix-recording' }));
    return watchLink(this.text).then((link) => {
      if (mine === this.renewals) this.watch.href = link;
    });
  }
}
