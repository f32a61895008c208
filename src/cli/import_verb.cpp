// SPDX-License-Identifier: GPL-3.0-or-later
// import: a CSV table back into a folder of items, checked whole before any write.
#include "cli/table_options.h"
#include "common/error.h"
#include "common/files.h"
#include "table/table_csv.h"

#include <ostream>

namespace zantor::cli {

namespace {

int runImport(Args args, std::ostream& out, std::ostream& err) {
    TableSource source;
    source.all = true;
    std::string msgDir;
    std::string artDir;
    std::string input;
    bool haveFolder = false;
    bool dryRun = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool takesValue = a == "--msg-dir" || a == "--art-dir" || a == "--dir";
        if (takesValue && (i + 1 >= args.size() || args[i + 1].empty())) {
            err << "zantor-cli import: " << a << " needs a value\n";
            return 1;
        }
        if (a == "--msg-dir")
            msgDir = std::string(args[++i]);
        else if (a == "--art-dir")
            artDir = std::string(args[++i]);
        else if (a == "--dir") {
            source.folder = std::string(args[++i]);
            haveFolder = true;
        } else if (a == "--dry-run")
            dryRun = true;
        else if (input.empty() && !a.starts_with("-"))
            input = std::string(a);
        else {
            err << "zantor-cli import: unexpected argument '" << a << "'\n";
            return 1;
        }
    }
    if (input.empty() || !haveFolder || msgDir.empty()) {
        err << "zantor-cli import: expected a CSV file, --dir and --msg-dir (see --help)\n";
        return 1;
    }
    const Bytes bytes = readFile(input);
    source.paths = tablePaths(msgDir, artDir);
    FolderTable table(source);
    requireAllRead(table);
    const ImportPlan plan = planImport(
        table, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!plan.ok()) {
        err << "zantor-cli import: nothing was written; " << plan.problems.size()
            << (plan.problems.size() == 1 ? " problem:\n" : " problems:\n");
        for (const ImportProblem& p : plan.problems)
            err << "  " << p.text() << "\n";
        return 1;
    }
    for (const ImportChange& c : plan.changes)
        out << c.text() << "\n";
    if (plan.changes.empty())
        out << "No changes.\n";
    if (dryRun || plan.changes.empty())
        return 0;
    applyImport(table, plan);
    const FolderTable::SaveReport report = table.saveAll(BatchWrite::AllOrNothing);
    if (report.failed.empty())
        return 0;
    err << "zantor-cli import: nothing was written:\n";
    for (const auto& [file, message] : report.failed)
        err << "  " << file << ": " << message << "\n";
    return 1;
}

} // namespace

const Verb kImportVerb{
    "import", "put a CSV table back into a folder of item files",
    "Usage: zantor-cli import IN.csv --dir DIR --msg-dir FILES [--art-dir FILES] [--dry-run]\n\n"
    "Reads a table as 'export' writes it (columns in any order, any subset; file is\n"
    "required) and matches each row to an item file of DIR by its file column. A\n"
    "cell equal to the item's value changes nothing; a list cell takes an entry text\n"
    "(letter case ignored) or the stored number; a field the item's type does not\n"
    "have must be empty; the reference names are not read. Every row and cell is\n"
    "checked first: when anything would not be taken (an unknown file or column, a\n"
    "bad number, an unknown or ambiguous entry, a character the text tables cannot\n"
    "hold, a '}' in a name or description) nothing is written and each problem is\n"
    "printed with its CSV record (the header is record 1) and column. Otherwise the\n"
    "changed items are saved as the editor's Save does, every name and description\n"
    "in one write of pro_item.msg, all files or none (an item file changed since it\n"
    "was read stops the whole import), and one line is printed per changed value\n"
    "(\"rifle02.pro: priceField 1100 -> 1250\"). --dry-run prints those lines and\n"
    "writes nothing.\n",
    runImport};

} // namespace zantor::cli
