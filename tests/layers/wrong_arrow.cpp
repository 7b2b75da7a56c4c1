// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// An include a layer may not use, named by BRONTIX_WRONG: built against
// that layer's library, it must not compile.
#include BRONTIX_WRONG
