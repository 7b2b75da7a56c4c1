// brontix-replay compiled to WebAssembly, run by node: reads the script on
// standard input and prints what the native brontix-replay prints.
//   node replay.mjs [brontix-replay.wasm] < script
import { readFileSync, readSync, writeSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const { wasi, Exit } = createRequire(import.meta.url)('./wasi.js');
const wasmPath = process.argv[2] || join(here, 'brontix-replay.wasm');

let memory;
const io = {
  read(into) {
    try { return readSync(0, into, 0, into.length, null); } catch (e) { if (e.code === 'EOF') return 0; throw e; }
  },
  write(fd, bytes) {
    let off = 0;
    while (off < bytes.length) off += writeSync(fd, bytes, off, bytes.length - off);
  },
};
const { instance } = await WebAssembly.instantiate(readFileSync(wasmPath), {
  wasi_snapshot_preview1: wasi(() => memory, io, ['brontix-replay']),
});
memory = instance.exports.memory;
try {
  instance.exports._start();
} catch (e) {
  if (!(e instanceof Exit)) throw e;
  process.exitCode = e.code;
}
