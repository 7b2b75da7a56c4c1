// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// What the page's benchmarks share: the site served and Chromium started as
// the tests do (harness.mjs), and every Chromium process's share of one
// core.
import { readFileSync, readdirSync } from 'node:fs';
import { chromiumOptions, playwright, serveSite } from '../tests/web/harness.mjs';

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
export { serveSite };

// A headless Chromium whose processes are counted from `pid`.
export async function chromium() {
  const chromiumServer = await playwright.launchServer(chromiumOptions);
  const browser = await playwright.connect(chromiumServer.wsEndpoint());
  return { chromiumServer, pid: chromiumServer.process().pid, browser };
}

// CPU time so far, in nanoseconds, of a process and all its descendants.
function treeCpu(root) {
  const children = new Map();
  for (const pid of readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    try {
      const ppid = readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ')[1];
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(pid);
    } catch { /* gone meanwhile */ }
  }
  let ns = 0;
  const visit = (pid) => {
    try {
      for (const t of readdirSync(`/proc/${pid}/task`)) ns += Number(readFileSync(`/proc/${pid}/task/${t}/schedstat`, 'utf8').split(' ')[0]);
    } catch { /* gone meanwhile */ }
    for (const c of children.get(pid) || []) visit(c);
  };
  visit(String(root));
  return ns;
}
export async function share(pid, seconds) {
  const c0 = treeCpu(pid), t0 = process.hrtime.bigint();
  await sleep(seconds * 1000);
  const c1 = treeCpu(pid), t1 = process.hrtime.bigint();
  return (100 * (c1 - c0)) / Number(t1 - t0);
}
export const median = (v) => [...v].sort((a, b) => a - b)[Math.floor((v.length - 1) / 2)];

