// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// The few WASI calls a Brontix module makes, for a page and for node: the
// standard streams, the clock, exit. Anything else answers "not supported".
// The page imports it as it is; node, which takes a .js file for CommonJS,
// imports the copy named wasi.mjs beside the build's replay runner.
export const BUILD = '@BUILD@';
const ENOSYS = 52, EBADF = 8, SUCCESS = 0;
// A failed read or write of node's reaches the module as the same error
// number a C library reports, so it says what went wrong as natively.
const ERRNO = { EACCES: 2, EAGAIN: 6, EBADF: 8, EFBIG: 22, EINVAL: 28, EIO: 29, EISDIR: 31,
  ENOENT: 44, ENOSPC: 51, EPIPE: 64 };
const errno = (e) => {
  if (e && e.code in ERRNO) return ERRNO[e.code];
  throw e;
};

export class Exit extends Error {
  constructor(code) { super(`exit ${code}`); this.code = code; }
}

// io: { read(bytes) -> count, write(fd, bytes) }, args: strings.
export function wasi(getMemory, io, args) {
  const encoded = args.map((a) => new TextEncoder().encode(a + '\0'));
  const view = () => new DataView(getMemory().buffer);
  const bytes = (ptr, len) => new Uint8Array(getMemory().buffer, ptr, len);
  const iovecs = (ptr, count) => {
    const v = view(), out = [];
    for (let i = 0; i < count; ++i) out.push([v.getUint32(ptr + 8 * i, true), v.getUint32(ptr + 8 * i + 4, true)]);
    return out;
  };
  const calls = {
    args_sizes_get(countPtr, sizePtr) {
      view().setUint32(countPtr, encoded.length, true);
      view().setUint32(sizePtr, encoded.reduce((n, a) => n + a.length, 0), true);
      return SUCCESS;
    },
    args_get(argvPtr, bufPtr) {
      for (const [i, a] of encoded.entries()) {
        view().setUint32(argvPtr + 4 * i, bufPtr, true);
        bytes(bufPtr, a.length).set(a);
        bufPtr += a.length;
      }
      return SUCCESS;
    },
    environ_sizes_get(countPtr, sizePtr) {
      view().setUint32(countPtr, 0, true);
      view().setUint32(sizePtr, 0, true);
      return SUCCESS;
    },
    environ_get() { return SUCCESS; },
    clock_time_get(id, precision, outPtr) {
      const ns = id === 0 ? BigInt(Date.now()) * 1000000n : BigInt(Math.round(performance.now() * 1e6));
      view().setBigUint64(outPtr, ns, true);
      return SUCCESS;
    },
    fd_write(fd, iovPtr, iovCount, writtenPtr) {
      let n = 0;
      try {
        for (const [ptr, len] of iovecs(iovPtr, iovCount)) {
          io.write(fd, bytes(ptr, len).slice());
          n += len;
        }
      } catch (e) {
        return errno(e);
      }
      view().setUint32(writtenPtr, n, true);
      return SUCCESS;
    },
    fd_read(fd, iovPtr, iovCount, readPtr) {
      if (fd !== 0) return EBADF;
      let n = 0;
      try {
        for (const [ptr, len] of iovecs(iovPtr, iovCount)) {
          const got = io.read(bytes(ptr, len));
          n += got;
          if (got < len) break;
        }
      } catch (e) {
        return errno(e);
      }
      view().setUint32(readPtr, n, true);
      return SUCCESS;
    },
    fd_fdstat_get(fd, outPtr) {
      if (fd > 2) return EBADF;
      const v = view();
      v.setUint8(outPtr, 2);  // a character device
      v.setUint16(outPtr + 2, 0, true);
      v.setBigUint64(outPtr + 8, 0n, true);
      v.setBigUint64(outPtr + 16, 0n, true);
      return SUCCESS;
    },
    fd_prestat_get() { return EBADF; },
    fd_close() { return SUCCESS; },
    fd_seek() { return ENOSYS; },
    proc_exit(code) { throw new Exit(code); },
  };
  return new Proxy(calls, { get: (t, name) => t[name] || (() => ENOSYS) });
}
