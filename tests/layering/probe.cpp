// SPDX-License-Identifier: GPL-3.0-or-later
// A source planted in one layer: its only line includes LAYER_PROBE_INCLUDE.
#include LAYER_PROBE_INCLUDE
