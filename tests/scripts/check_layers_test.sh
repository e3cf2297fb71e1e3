#!/usr/bin/env bash
# Runs scripts/check-layers on small invented source trees: clean ones must pass, each kind of
# layering fault must fail and be named in the report.
set -uo pipefail
checker="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/check-layers"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# tree NAME: a fresh tree with a clean include structure in every layer.
tree() {
    local t="$work/$1"
    mkdir -p "$t/src/core/catalogue" "$t/src/core/order" "$t/src/core/export" "$t/src/core/document" \
        "$t/src/core/commands" "$t/src/ui/support" "$t/src/ui/view" "$t/src/ui/app"
    printf '#pragma once\n#include <string>\n#include <queue>\n' >"$t/src/core/catalogue/field.h"
    printf '#include "core/catalogue/field.h"\n#include "field.h"\n' >"$t/src/core/catalogue/field.cpp"
    printf '#include "core/catalogue/field.h"\n#include "core/order/orders.h"\n' >"$t/src/core/order/orders.h"
    printf '#include "core/order/orders.h"\n' >"$t/src/core/export/csv.h"
    printf '#include "core/export/csv.h"\n#include "core/catalogue/field.h"\n' >"$t/src/core/document/doc.h"
    printf '#include "core/document/doc.h"\n' >"$t/src/core/commands/commands.h"
    printf '#include <QString>\n#include "core/commands/commands.h"\n' >"$t/src/ui/support/text.h"
    printf '#include "ui/support/text.h"\n#include "core/document/doc.h"\n#include "view.moc"\n' \
        >"$t/src/ui/view/view.cpp"
    printf '#include "ui/view/view.h"\n#include "ui/support/text.h"\n' >"$t/src/ui/app/window.cpp"
    printf '#include "ui/app/window.h"\n#include "core/commands/commands.h"\n' >"$t/src/main.cpp"
    echo "$t"
}

# expect STATUS TEXT TREE: the checker exits with STATUS and its report contains TEXT.
expect() {
    local status="$1" text="$2" t="$3" out rc
    out="$("$checker" --root "$t" 2>&1)"
    rc=$?
    if [ "$rc" -ne "$status" ] || [[ "$out" != *"$text"* ]]; then
        echo "FAIL ${t##*/}: expected exit $status and \"$text\", got exit $rc:"
        echo "$out" | sed 's/^/    /'
        failures=$((failures + 1))
    else
        echo "ok   ${t##*/}"
    fi
}

t="$(tree clean)"
expect 0 "keep to the layers" "$t"

t="$(tree upward)"
echo '#include "core/document/doc.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 1) includes core/document" "$t"

t="$(tree sideways)"
mkdir -p "$t/src/core/layout"
printf '\n#include "core/export/csv.h"\n' >"$t/src/core/layout/lay.h"
expect 1 "src/core/layout/lay.h:2: sideways include" "$t"

t="$(tree import-beside-export)"
mkdir -p "$t/src/core/import"
printf '#include "core/order/orders.h"\n#include "core/export/csv.h"\n' >"$t/src/core/import/reader.h"
expect 1 "src/core/import/reader.h:2: sideways include" "$t"

t="$(tree ui-sideways)"
mkdir -p "$t/src/ui/entry"
printf '#include "ui/view/view.h"\n' >"$t/src/ui/entry/sheet.h"
expect 1 "src/ui/entry/sheet.h:1: sideways include" "$t"

t="$(tree ui-upward)"
echo '#include "ui/app/window.h"' >>"$t/src/ui/view/view.cpp"
expect 1 "src/ui/view/view.cpp:4: upward include" "$t"

t="$(tree qt-in-core)"
echo '#  include <QtCore/QList>' >>"$t/src/core/document/doc.h"
expect 1 "src/core/document/doc.h:3: core includes the Qt header <QtCore/QList>" "$t"

t="$(tree ui-in-core)"
echo '#include "ui/support/text.h"' >>"$t/src/core/commands/commands.h"
expect 1 "src/core/commands/commands.h:2: core includes the UI header" "$t"

t="$(tree unknown-folder)"
mkdir -p "$t/src/core/network"
echo '#pragma once' >"$t/src/core/network/net.h"
expect 1 "unknown core subsystem 'network'" "$t"

t="$(tree unknown-target)"
echo '#include "core/network/net.h"' >>"$t/src/core/commands/commands.h"
expect 1 "unknown core subsystem 'network'" "$t"

t="$(tree not-from-src)"
echo '#include "orders.h"' >>"$t/src/core/export/csv.h"
expect 1 "\"orders.h\" is not written from src/" "$t"

t="$(tree every-problem-listed)"
echo '#include "core/commands/commands.h"' >>"$t/src/core/catalogue/field.h"
echo '#include "ui/app/window.h"' >>"$t/src/ui/support/text.h"
expect 1 "2 layering problem(s)" "$t"

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
