// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// brontix-replay compiled to WebAssembly, run by node: reads the script on
// standard input and prints what the native brontix-replay prints (its
// arguments follow the module's path; it opens no files but standard
// input and output, so a SCRIPT or a --frame FILE cannot be opened).
//   node replay.mjs [brontix-replay.wasm [ARGUMENT...]] < script
import { readFileSync, readSync, writeSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Exit, wasi } from './wasi.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const wasmPath = process.argv[2] || join(here, 'brontix-replay.wasm');
const args = process.argv.slice(3);

// A pipe that is not ready yet is waited for; any other failure is the
// module's to report.
function retried(call) {
  for (;;) {
    try {
      return call();
    } catch (e) {
      if (e.code !== 'EAGAIN') throw e;
      Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 1);
    }
  }
}

let memory;
const io = {
  read(into) {
    try {
      return retried(() => readSync(0, into, 0, into.length, null));
    } catch (e) {
      if (e.code === 'EOF') return 0;
      throw e;
    }
  },
  write(fd, bytes) {
    let off = 0;
    while (off < bytes.length) off += retried(() => writeSync(fd, bytes, off, bytes.length - off));
  },
};
const { instance } = await WebAssembly.instantiate(readFileSync(wasmPath), {
  wasi_snapshot_preview1: wasi(() => memory, io, ['brontix-replay', ...args]),
});
memory = instance.exports.memory;
try {
  instance.exports._start();
} catch (e) {
  if (!(e instanceof Exit)) throw e;
  process.exitCode = e.code;
}
