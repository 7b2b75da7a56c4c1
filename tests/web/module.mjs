// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's module, run by node for a test: its exports, given the page's
// functions a test provides (any other import does nothing), and a reader
// of the strings it hands back.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export async function pageModule(site, page = {}) {
  // The copy of the page's WASI module that node imports, beside the site.
  const { wasi } = await import(pathToFileURL(join(site, '..', 'wasi.mjs')));
  const module = { memory: null };
  const nothing = () => 0;
  const { instance } = await WebAssembly.instantiate(readFileSync(join(site, 'brontix.wasm')), {
    wasi_snapshot_preview1: wasi(() => module.memory, { read: () => 0, write: () => {} }, ['brontix']),
    brontix: new Proxy(page, { get: (target, name) => target[name] ?? nothing }),
  });
  module.x = instance.exports;
  module.memory = module.x.memory;
  module.x._initialize();
  module.cString = (ptr) => {
    const bytes = new Uint8Array(module.memory.buffer, ptr);
    return Buffer.from(bytes.subarray(0, bytes.indexOf(0))).toString();
  };
  return module;
}
