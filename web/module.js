// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The game's WebAssembly module: loaded with the page's functions as its
// imports, and read where it hands the page strings and numbers.
import { wasi } from './wasi.js';

export const BUILD = '@BUILD@';

// The module's exports once instantiated, and the build it is stamped
// with; an error says why it cannot be, in words for the player. The caller initialises it (_initialize) once it can read its
// memory.
export async function load(page) {
  let memory = null;
  const system = wasi(() => memory, {
    read: () => 0,
    write: (fd, bytes) => console.log(new TextDecoder().decode(bytes)),
  }, ['brontix']);
  const response = await fetch('brontix.wasm').catch(() => {
    throw new Error('the network failed');
  });
  if (!response.ok) throw new Error(`brontix.wasm could not be loaded (${response.status} ${response.statusText})`);
  const type = response.headers.get('Content-Type') || 'no type';
  if (!type.startsWith('application/wasm')) {
    throw new Error(`the server sent brontix.wasm as ${type}, not application/wasm`);
  }
  const { module, instance } = await WebAssembly.instantiateStreaming(response, { wasi_snapshot_preview1: system, brontix: page });
  const exports = instance.exports;
  memory = exports.memory;
  if (typeof exports._initialize !== 'function' || !(memory instanceof WebAssembly.Memory)) {
    throw new Error('brontix.wasm is not the game\'s module (it has no _initialize)');
  }
  const [stamp] = WebAssembly.Module.customSections(module, 'brontix-build');
  return { exports, stamp: stamp ? new TextDecoder().decode(stamp) : 'none' };
}

// The module's memory as the page reads it; its buffer is looked up on
// every read, as a grown memory has a new one.
export class Memory {
  constructor(memory) { this.memory = memory; }
  text(ptr, len) { return new TextDecoder().decode(new Uint8Array(this.memory.buffer, ptr, len)); }
  // A string that ends with a zero byte.
  cString(ptr) {
    const bytes = new Uint8Array(this.memory.buffer, ptr);
    return new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0)));
  }
  ints(ptr, count) { return new Int32Array(this.memory.buffer, ptr, count); }
  bytes(ptr, count) { return new Uint8Array(this.memory.buffer, ptr, count); }
}
