// SPDX-License-Identifier: GPL-3.0-or-later
// The folder table window at 10,000 items, beside baselines from the same run:
// - the window made, filled and drawn, beside the CSV export of the same folder;
// - a sort by a number column and by the name, and the filter box taking a text,
//   each with the view drawn again, and the drawing alone, in CPU time beside one
//   frame of 16 ms.
// Windows run on the offscreen platform.
#include "settings/file_settings_store.h"
#include "support/ratio_main.h"
#include "table/columns.h"
#include "table/item_folder.h"
#include "ui/dialogs.h"
#include "ui/table_dialogs.h"
#include "ui/table_window.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using zantor::bench::ItemFolder;

// What a table window needs around it: a settings store of its own and the dialogs.
struct Around {
    fs::path settings = fs::path(ItemFolder::get().root) / "settings";
    zantor::FileSettingsStore store{settings};
    zantor::QtDialogs dialogs;
    zantor::QtTableDialogs tableDialogs;
};

Around& around() {
    static Around a;
    return a;
}

// A window made, shown and drawn once.
std::unique_ptr<zantor::TableWindow> shownTable() {
    Around& a = around();
    auto window = std::make_unique<zantor::TableWindow>(ItemFolder::get().source(), a.store,
                                                        a.dialogs, a.tableDialogs);
    window->resize(1200, 800);
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    window->tableView->viewport()->repaint();
    return window;
}

void BM_Export(benchmark::State& state) {
    for (auto _ : state) {
        if (ItemFolder::get().exportOnce() != ItemFolder::kFiles)
            state.SkipWithError("wrong number of rows");
    }
}

void BM_TableFilled(benchmark::State& state) {
    for (auto _ : state) {
        const auto window = shownTable();
        if (window->tableView->model()->rowCount() != ItemFolder::kFiles)
            state.SkipWithError("wrong number of rows");
    }
}

// One frame of 16 ms: the yardstick for what must fit in a frame, as a fixed time so
// that other processes on the machine do not stretch it.
void BM_OneFrame(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(0.016);
}

// The window the sorts and the filter work in; closed before the application ends.
std::unique_ptr<zantor::TableWindow> shared;

zantor::TableWindow& sharedTable() {
    if (!shared)
        shared = shownTable();
    return *shared;
}

// A click on a column header, as often as the state runs: each one turns the order,
// through the header's sort indicator as a click sets it.
void sortBy(benchmark::State& state, std::string_view key) {
    zantor::TableWindow& window = sharedTable();
    const int column = zantor::columnIndex(key);
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        window.tableView->horizontalHeader()->setSortIndicator(column, order);
        window.tableView->viewport()->repaint();
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}

// The view drawn again with nothing changed: what every frame of the table costs.
void BM_Redraw(benchmark::State& state) {
    zantor::TableWindow& window = sharedTable();
    for (auto _ : state)
        window.tableView->viewport()->repaint();
}

void BM_SortByPrice(benchmark::State& state) {
    sortBy(state, "priceField");
}

void BM_SortByName(benchmark::State& state) {
    sortBy(state, "nameField");
}

// The filter box taking a text that leaves about one row in nine, then its clearing,
// in turn.
void BM_Filter(benchmark::State& state) {
    zantor::TableWindow& window = sharedTable();
    bool narrow = true;
    for (auto _ : state) {
        window.filterField->setText(narrow ? QStringLiteral("Item number 9") : QString());
        window.tableView->viewport()->repaint();
        narrow = !narrow;
    }
}

} // namespace

BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableFilled)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OneFrame)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByPrice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ItemFolder::get(); // made before any benchmark is timed
    const int status =
        zantor::bench::runWithRatios(argc, argv,
                                     {{"BM_TableFilled/real_time", "BM_Export/real_time"},
                                      {"BM_Redraw", "BM_OneFrame/manual_time"},
                                      {"BM_SortByPrice", "BM_OneFrame/manual_time"},
                                      {"BM_SortByName", "BM_OneFrame/manual_time"},
                                      {"BM_Filter", "BM_OneFrame/manual_time"}});
    shared.reset();
    return status;
}
