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
    mkdir -p "$t/src/core/model" "$t/src/core/order" "$t/src/core/import" "$t/src/core/document" \
        "$t/src/core/commands" "$t/src/ui/support" "$t/src/ui/view" "$t/src/ui/app"
    printf '#pragma once\n#include <string>\n#include <queue>\n' >"$t/src/core/model/field.h"
    printf '#include "core/model/field.h"\n#include "field.h"\n' >"$t/src/core/model/field.cpp"
    printf '#include "core/model/field.h"\n#include "core/order/orders.h"\n' >"$t/src/core/order/orders.h"
    printf '#include "core/order/orders.h"\n' >"$t/src/core/import/csv.h"
    printf '#include "core/import/csv.h"\n#include "core/model/field.h"\n' >"$t/src/core/document/doc.h"
    printf '#include "core/document/doc.h"\n' >"$t/src/core/commands/commands.h"
    printf '#include <QString>\n#include "core/commands/commands.h"\n' >"$t/src/ui/support/text.h"
    printf '#include "ui/support/text.h"\n#include "core/document/doc.h"\n#include "view.moc"\n' \
        >"$t/src/ui/view/view.cpp"
    printf '#include "ui/view/view.h"\n#include "ui/support/text.h"\n' >"$t/src/ui/app/window.cpp"
    printf '#include "ui/app/window.h"\n#include "core/commands/commands.h"\n' >"$t/src/main.cpp"
    echo "$t"
}

# run NAME STATUS TEXT ARG...: the checker, run with ARGs, exits with STATUS and its report
# contains TEXT.
run() {
    local name="$1" status="$2" text="$3" out rc
    shift 3
    out="$("$checker" "$@" 2>&1)"
    rc=$?
    if [ "$rc" -ne "$status" ] || [[ "$out" != *"$text"* ]]; then
        echo "FAIL $name: expected exit $status and \"$text\", got exit $rc:"
        echo "$out" | sed 's/^/    /'
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

# expect STATUS TEXT TREE: the checker, run on TREE, exits with STATUS and names TEXT.
expect() {
    run "${3##*/}" "$1" "$2" --root "$3"
}

# put TREE FILE TEXT: writes TEXT (printf format) to src/FILE of TREE, making its folder.
put() {
    mkdir -p "$(dirname "$1/src/$2")"
    # shellcheck disable=SC2059
    printf "$3" >"$1/src/$2"
}

t="$(tree clean)"
expect 0 "keep to the layers" "$t"

t="$(tree upward)"
echo '#include "core/document/doc.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 3) includes core/document" "$t"

t="$(tree sideways)"
mkdir -p "$t/src/core/layout"
printf '\n#include "core/import/csv.h"\n' >"$t/src/core/layout/lay.h"
expect 1 "src/core/layout/lay.h:2: sideways include" "$t"

t="$(tree export-beside-document)"
mkdir -p "$t/src/core/export"
printf '#include "core/order/orders.h"\n#include "core/document/doc.h"\n' >"$t/src/core/export/listing.h"
expect 1 "src/core/export/listing.h:2: sideways include" "$t"

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
echo '#include "orders.h"' >>"$t/src/core/import/csv.h"
expect 1 "\"orders.h\" is not written from src/" "$t"

t="$(tree every-problem-listed)"
echo '#include "core/commands/commands.h"' >>"$t/src/core/model/field.h"
echo '#include "ui/app/window.h"' >>"$t/src/ui/support/text.h"
expect 1 "2 layering problem(s)" "$t"

# Project headers count however they are written: in angle brackets, or through ./ and ../,
# which are followed from the including file.
t="$(tree angled-ui-in-core)"
echo '#include <ui/support/text.h>' >>"$t/src/core/commands/commands.h"
expect 1 "src/core/commands/commands.h:2: core includes the UI header <ui/support/text.h>" "$t"

t="$(tree angled-upward)"
echo '#include <core/document/doc.h>' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 3) includes core/document (rank 5): <core/document/doc.h>" "$t"

t="$(tree angled-dots-upward)"
echo '#include <core/model/../document/doc.h>' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 3) includes core/document (rank 5): <core/model/../document/doc.h> (src/core/document/doc.h)" "$t"

t="$(tree dotdot-ui-in-core)"
echo '#include "../../ui/app/window.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: core includes the UI header \"../../ui/app/window.h\" (src/ui/app/window.h)" "$t"

t="$(tree dotdot-upward)"
echo '#include "../document/doc.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 3) includes core/document" "$t"

t="$(tree dotdot-leaves-src)"
echo '#include "../../../secret.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: \"../../../secret.h\" leaves src/" "$t"

t="$(tree dotdot-out-and-back)"
echo '#include "../../../src/ui/app/window.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: \"../../../src/ui/app/window.h\" leaves src/" "$t"

t="$(tree angled-dotdot-leaves-src)"
echo '#include <../src/ui/app/window.h>' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: <../src/ui/app/window.h> leaves src/" "$t"

# Not beside the file, "./core/..." is found from src/, so it is ranked as that header too.
t="$(tree dot-through-src)"
echo '#include "./core/document/doc.h"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: upward include: core/order (rank 3) includes core/document (rank 5): \"./core/document/doc.h\" (src/core/document/doc.h)" "$t"

t="$(tree dots-downward-and-beside)"
echo '#include "./field.h"' >>"$t/src/core/model/field.cpp"
echo '#include "../model/field.h"' >>"$t/src/core/order/orders.h"
echo '#include <core/model/field.h>' >>"$t/src/core/import/csv.h"
expect 0 "keep to the layers" "$t"

t="$(tree absolute-path)"
echo '#include "/usr/include/x86_64-linux-gnu/qt6/QtCore/QString"' >>"$t/src/core/document/doc.h"
expect 1 "src/core/document/doc.h:3: absolute include path \"/usr/include/x86_64-linux-gnu/qt6/QtCore/QString\"" "$t"

t="$(tree source-included)"
echo '#include "core/model/field.cpp"' >>"$t/src/core/order/orders.h"
expect 1 "src/core/order/orders.h:3: includes the source file \"core/model/field.cpp\"" "$t"

t="$(tree symbolic-link)"
ln -s ../../ui/support/text.h "$t/src/core/model/text.h"
expect 1 "src/core/model/text.h: symbolic link" "$t"

# Every spelling of a Qt header is Qt.
for header in qstring.h QtCore/qstring.h QtWidgets/QWidget qt6/QtCore/QString private/qobject_p.h; do
    t="$(tree "qt-in-core-${header//\//-}")"
    echo "#include <$header>" >>"$t/src/core/document/doc.h"
    expect 1 "src/core/document/doc.h:3: core includes the Qt header <$header>" "$t"
done

t="$(tree qt-quoted-in-core)"
echo '#include "QString"' >>"$t/src/core/document/doc.h"
expect 1 "src/core/document/doc.h:3: core includes the Qt header \"QString\"" "$t"

# Every spelling of an include directive is read: spaces and tabs, comments, continued lines,
# the digraph, GCC's include_next and import, header units, CRLF line ends.
spelling() {
    t="$(tree "spelled-$1")"
    # shellcheck disable=SC2059
    printf "$2" >>"$t/src/core/document/doc.h"
    expect 1 "src/core/document/doc.h:3: core includes the Qt header <QString>" "$t"
}
spelling spaces '#   include   <QString>\n'
spelling tabs '\t#\tinclude\t<QString>\n'
spelling no-space-before-path '# include<QString>\n'
spelling continued '#include \\\n    <QString>\n'
spelling continued-keyword '#inc\\\nlude <QString>\n'
spelling comment-first '/* why */ #include <QString>\n'
spelling comments-inside '#/**/include/* a */<QString>\n'
spelling comment-ends-first 'x */ #include <QString>\n'
spelling digraph '%%:include <QString>\n'
spelling include-next '#include_next <QString>\n'
spelling import '#import <QString>\n'
spelling header-unit 'import <QString>;\n'
spelling crlf '#include <QString>\r\n'

t="$(tree byte-order-mark)"
printf '\357\273\277#include <QString>\n' >"$t/src/core/document/bom.h"
expect 1 "src/core/document/bom.h:1: core includes the Qt header <QString>" "$t"

t="$(tree continued-comment-is-no-include)"
printf '// not here: \\\n#include <QString>\n' >>"$t/src/core/document/doc.h"
expect 0 "keep to the layers" "$t"

# An include must name its file: a macro could name anything.
t="$(tree macro-include)"
echo '#include SOME_MACRO' >>"$t/src/ui/view/view.cpp"
expect 1 "src/ui/view/view.cpp:4: include of a macro or of nothing (SOME_MACRO)" "$t"

t="$(tree macro-call-include-in-main)"
echo '#  include HEADER(x)' >>"$t/src/main.cpp"
expect 1 "src/main.cpp:3: include of a macro or of nothing (HEADER(x))" "$t"

t="$(tree unclosed-include)"
echo '#include <QString' >>"$t/src/ui/support/text.h"
expect 1 "src/ui/support/text.h:3: include of a macro or of nothing (<QString)" "$t"

# Every C and C++ file is read, and every file of a subsystem folder whatever its name.
t="$(tree hpp-file)"
put "$t" core/order/sort.hpp '#include "core/document/doc.h"\n'
expect 1 "src/core/order/sort.hpp:1: upward include" "$t"

t="$(tree inl-file)"
put "$t" core/model/field.inl '\n#include <QList>\n'
expect 1 "src/core/model/field.inl:2: core includes the Qt header <QList>" "$t"

t="$(tree cc-file)"
put "$t" core/export/csv.cc '#include "ui/support/text.h"\n'
expect 1 "src/core/export/csv.cc:1: core includes the UI header" "$t"

t="$(tree unusual-name-in-subsystem)"
put "$t" core/order/table.list '#include <QStringList>\n'
expect 1 "src/core/order/table.list:1: core includes the Qt header <QStringList>" "$t"

t="$(tree cxx-file-outside-layers)"
put "$t" tools/helper.cxx '#include <string>\n'
expect 1 "src/tools/helper.cxx: source file outside src/core/<subsystem>/, src/ui/<subsystem>/ and src/cli/" "$t"

# The lookup folders have their ranks: core/lookup beside import and layout, ui/lookup beside view.
t="$(tree lookup-ranked)"
put "$t" core/lookup/release.h '#include "core/model/field.h"\n'
put "$t" ui/lookup/picker.cpp '#include "ui/support/text.h"\n#include "core/lookup/release.h"\n'
expect 0 "keep to the layers" "$t"

t="$(tree lookup-sideways)"
put "$t" ui/lookup/picker.cpp '#include "ui/view/view.h"\n'
expect 1 "src/ui/lookup/picker.cpp:1: sideways include: ui/lookup and ui/view share rank 2" "$t"

# Each outside library stays in one source file.
libraries() {
    t="$(tree "$1")"
    put "$t" core/cdplayer/device.cpp '#include <cdio/cdio.h>\n#include <cdio/cdtext.h>\n'
    put "$t" core/cdplayer/output.cpp '#include <pulse/simple.h>\n#include <pulse/error.h>\n'
    put "$t" core/cdplayer/discid.cpp '#include <discid/discid.h>\n'
    put "$t" core/import/tags.cpp '#include <taglib/fileref.h>\n#include <tag.h>\n'
    put "$t" ui/lookup/client.cpp '#include <QNetworkAccessManager>\n#include <QtNetwork/qnetworkreply.h>\n'
}
libraries libraries-in-their-files
expect 0 "keep to the layers" "$t"

libraries libcdio-twice
put "$t" core/cdplayer/toc.cpp '#include <string>\n#include <cdio/track.h>\n'
expect 1 "src/core/cdplayer/toc.cpp:2: <cdio/track.h>: libcdio is also included by src/core/cdplayer/device.cpp; it stays in one source file" "$t"
expect 1 "src/core/cdplayer/device.cpp:1: <cdio/cdio.h>: libcdio is also included by src/core/cdplayer/toc.cpp" "$t"

# Not beside the file, "./cdio/..." is found in the system folders.
libraries libcdio-dotted
put "$t" core/cdplayer/toc.cpp '#include "./cdio/track.h"\n'
expect 1 "src/core/cdplayer/toc.cpp:1: \"./cdio/track.h\": libcdio is also included by src/core/cdplayer/device.cpp" "$t"

libraries libpulse-in-header
put "$t" core/cdplayer/output.h '#include <pulse/simple.h>\n'
expect 1 "src/core/cdplayer/output.h:1: <pulse/simple.h> is libpulse, included from a header" "$t"
expect 1 "src/core/cdplayer/output.cpp:1: <pulse/simple.h>: libpulse is also included by src/core/cdplayer/output.h" "$t"

libraries taglib-twice
put "$t" core/import/tracks.cpp '#include <tpropertymap.h>\n'
expect 1 "src/core/import/tracks.cpp:1: <tpropertymap.h>: TagLib is also included by src/core/import/tags.cpp" "$t"

libraries libdiscid-in-header
put "$t" core/cdplayer/discid.h '#pragma once\n#include <discid/discid.h>\n'
expect 1 "src/core/cdplayer/discid.h:2: <discid/discid.h> is libdiscid, included from a header" "$t"

libraries qt-network-twice
put "$t" ui/view/fetch.cpp '#include <qnetworkrequest.h>\n'
expect 1 "src/ui/view/fetch.cpp:1: <qnetworkrequest.h>: Qt Network is also included by src/ui/lookup/client.cpp" "$t"

# Qt Charts stays in the charts' file; Qt's other classes whose names begin alike do not count.
t="$(tree qt-charts-in-its-file)"
put "$t" ui/stats/chart.cpp '#include <QtCharts/QChartView>\n#include <QPieSeries>\n#include <QBarSet>\n'
put "$t" ui/view/panel.cpp '#include <QLineEdit>\n#include <QStackedWidget>\n#include <QBasicTimer>\n'
expect 0 "keep to the layers" "$t"
put "$t" ui/view/plot.cpp '#include <qhorizontalbarseries.h>\n'
expect 1 "src/ui/view/plot.cpp:1: <qhorizontalbarseries.h>: Qt Charts is also included by src/ui/stats/chart.cpp" "$t"

t="$(tree qt-network-outside-ui)"
echo '#include <QtNetwork>' >>"$t/src/main.cpp"
expect 1 "src/main.cpp:3: <QtNetwork> is Qt Network, which is used only under src/ui" "$t"

t="$(tree command-line)"
put "$t" cli/modes.h '#include "ui/app/window.h"\n#include "core/document/doc.h"\n#include <QString>\n'
put "$t" cli/modes.cpp '#include "cli/modes.h"\n'
expect 0 "keep to the layers" "$t"

t="$(tree core-includes-command-line)"
put "$t" cli/modes.h '#pragma once\n'
echo '#include "cli/modes.h"' >>"$t/src/core/commands/commands.h"
expect 1 "src/core/commands/commands.h:2: core includes the command line's header \"cli/modes.h\"" "$t"

t="$(tree ui-includes-command-line)"
put "$t" cli/modes.h '#pragma once\n'
echo '#include "cli/modes.h"' >>"$t/src/ui/app/window.cpp"
expect 1 "src/ui/app/window.cpp:3: ui includes the command line's header \"cli/modes.h\"" "$t"

t="$(tree command-line-subfolder)"
put "$t" cli/deep/modes.cpp '#include "core/document/doc.h"\n'
expect 1 "src/cli/deep/modes.cpp: source file outside" "$t"

t="$(tree qt-network-in-command-line)"
put "$t" cli/lookup.cpp '#include <QNetworkReply>\n'
expect 1 "src/cli/lookup.cpp:1: <QNetworkReply> is Qt Network, which is used only under src/ui" "$t"

run real-tree 0 "keep to the layers"
run unknown-argument 2 "unknown argument: --bogus" --bogus
run no-src-folder 2 "no src/ folder" --root "$work"


[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
