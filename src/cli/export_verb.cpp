// SPDX-License-Identifier: GPL-3.0-or-later
// export: a folder of items as one CSV table, as the folder table shows it.
#include "browser/scan.h"
#include "cli/table_options.h"
#include "common/error.h"
#include "common/files.h"
#include "table/table_csv.h"

#include <numeric>
#include <ostream>

namespace zantor::cli {

namespace {

int runExport(Args args, std::ostream& out, std::ostream& err) {
    TableSource source;
    std::string msgDir;
    std::string artDir;
    std::string output;
    std::vector<int> columns;
    bool haveFolder = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool takesValue =
            a == "--msg-dir" || a == "--art-dir" || a == "--types" || a == "--columns" || a == "-o";
        if (takesValue && (i + 1 >= args.size() || args[i + 1].empty())) {
            err << "zantor-cli export: " << a << " needs a value\n";
            return 1;
        }
        if (a == "--msg-dir")
            msgDir = std::string(args[++i]);
        else if (a == "--art-dir")
            artDir = std::string(args[++i]);
        else if (a == "--types")
            source.types = typesFromList(args[++i]);
        else if (a == "--columns")
            columns = columnsFromList(args[++i]);
        else if (a == "-o")
            output = std::string(args[++i]);
        else if (!haveFolder && !a.starts_with("-")) {
            source.folder = std::string(a);
            haveFolder = true;
        } else {
            err << "zantor-cli export: unexpected argument '" << a << "'\n";
            return 1;
        }
    }
    if (!haveFolder || msgDir.empty()) {
        err << "zantor-cli export: expected a folder and --msg-dir (see --help)\n";
        return 1;
    }
    source.paths = tablePaths(msgDir, artDir);
    const FolderTable table(source);
    requireAllRead(table);
    if (columns.empty()) {
        columns.resize(tableColumns().size());
        std::iota(columns.begin(), columns.end(), 0);
    }
    std::vector<std::size_t> rows(table.rowCount());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    const std::string csv = exportCsv(table, columns, rows);
    if (output.empty())
        out << csv;
    else
        writeFileAtomic(output, csv.data(), csv.size());
    return 0;
}

} // namespace

const Verb kExportVerb{
    "export", "write a folder of item files as one CSV table",
    "Usage: zantor-cli export DIR --msg-dir FILES [--art-dir FILES]\n"
    "                         [--types weapon,armor,...] [--columns c1,c2,...] [-o OUT.csv]\n\n"
    "Writes the items of DIR as CSV (RFC 4180, UTF-8, CR LF): a header row of column\n"
    "names, then one row per item file in the item browser's order of file names.\n"
    "The columns are file, type, nameField and descField (from FILES/pro_item.msg),\n"
    "then every field under the name of its control in the editor (priceField,\n"
    "minDmgField, ...), with the read-only reference names beside the numbers they\n"
    "name (materialNameField, ...). A list is written as its entry text (\"Burst\"),\n"
    "or as its stored number when the list has no entry for it; a field that the\n"
    "item's type does not have is empty. --columns chooses columns (file is always\n"
    "first), --types the item types. The art lists are read from --art-dir, by\n"
    "default FILES. Without -o the table goes to standard output. An item file that\n"
    "cannot be read is an error and nothing is written.\n",
    runExport};

} // namespace zantor::cli
