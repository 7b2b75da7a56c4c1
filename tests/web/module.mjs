// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The page's module, run by node for a test: its exports, given the page's
// functions a test provides (any other import does nothing), and a reader
// of the strings it hands back.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

export async function pageModule(site, page = {}) {
  const { wasi } = createRequire(import.meta.url)(resolve(site, 'wasi.js'));
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
