// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window at scale, beside baselines from the same run:
// - listing a folder of 10,000 and 100,000 items with names, by "List files" in the
//   real window (progress bar, item list and all), beside what `zantor-cli list
//   --msg` does (the scan and one line of output per entry), which in turn stands
//   beside a raw walk of the folder reading 56 bytes of each file;
// - start-up of the editor to its window shown, in a process of its own, with a
//   1 MB and a 50 MB pro_item.msg, beside an empty window of the same size made by
//   the same Qt in the same kind of process: on the offscreen platform, and on an X
//   display (an Xvfb server of the benchmark's own), where showing a window means the
//   server mapping and exposing it, as a user's desktop does.
// The listings run on the offscreen platform.
#include "browser/scan.h"
#include "settings/file_settings_store.h"
#include "support/bench_world.h"
#include "support/ratio_main.h"
#include "ui/editor_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zantor::bench::BenchWorld;

constexpr std::size_t kMegabyte = 1'000'000;

// Counts paints of a widget, so a listing ends only once the list has been laid out
// and drawn.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Waits until the window is exposed and has handled what showing it posted.
void waitUntilShown(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

// A window listing its world's items with names.
struct Listing {
    BenchWorld world;
    fs::path settings;
    std::unique_ptr<zantor::EditorWindows> windows;
    PaintCounter counter;

    QListWidget* list() const { return windows->main.findChild<QListWidget*>("itemList"); }

    explicit Listing(std::size_t items) : world(items, kMegabyte) {
        settings = world.root() / "settings";
        const fs::path before = fs::current_path();
        fs::current_path(world.root()); // the default folders are files/ and items/ here
        windows = std::make_unique<zantor::EditorWindows>(
            std::make_unique<zantor::FileSettingsStore>(settings));
        windows->main.show();
        waitUntilShown(windows->main);
        fs::current_path(before);
        windows->config.fileNamesOnly->setChecked(true);
        windows->main.findChild<QLineEdit*>("dirField")
            ->setText(QString::fromStdString(world.items()));
        list()->viewport()->installEventFilter(&counter);
    }
};

// Made on first use; emptied before the application object goes.
std::map<std::size_t, std::unique_ptr<Listing>> listings;

Listing& listing(std::size_t items) {
    auto& l = listings[items];
    if (!l)
        l = std::make_unique<Listing>(items);
    return *l;
}

void BM_ListInWindow(benchmark::State& state) {
    Listing& l = listing(static_cast<std::size_t>(state.range(0)));
    zantor::TmainWindow& window = l.windows->main;
    auto* refresh = window.findChild<QPushButton*>("refreshButton");
    for (auto _ : state) {
        QTest::mouseClick(refresh, Qt::LeftButton);
        while (window.rescanNeeded())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const int paints = l.counter.paints;
        while (l.counter.paints == paints)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (l.list()->count() != static_cast<int>(l.world.itemCount()))
            state.SkipWithError("wrong number of entries");
    }
}

void BM_ListLikeCli(benchmark::State& state) {
    Listing& l = listing(static_cast<std::size_t>(state.range(0)));
    zantor::ScanRequest request;
    request.folder = l.world.items();
    request.types.fill(true);
    request.withNames = true;
    request.proItemMsg = l.world.proItemMsg();
    for (auto _ : state) {
        const zantor::ScanResult result = zantor::scanFolder(request);
        std::ostringstream out;
        for (const auto& e : result.entries)
            out << e.text << "\n";
        if (result.entries.size() != l.world.itemCount())
            state.SkipWithError("wrong number of entries");
        benchmark::DoNotOptimize(out.str().size());
    }
}

void BM_RawWalk(benchmark::State& state) {
    const std::string dir = listing(static_cast<std::size_t>(state.range(0))).world.items();
    for (auto _ : state)
        benchmark::DoNotOptimize(zantor::bench::walkAndRead56(dir));
}

// Start-up in a process of its own: this program again, in the world's folder with a
// settings store of its own.
const BenchWorld& startupWorld(std::size_t msgBytes) {
    static std::map<std::size_t, std::unique_ptr<BenchWorld>> made;
    auto& w = made[msgBytes];
    if (!w)
        w = std::make_unique<BenchWorld>(10, msgBytes);
    return *w;
}

// An X server of the benchmark's own, started as the window check starts it; no display
// when Xvfb cannot be started.
class XServer {
public:
    XServer() {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        const std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                              "1024x768x24", "-nolisten",  "tcp",      nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int started = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr,
                                         const_cast<char* const*>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (started != 0)
            m_pid = 0;
        // The server writes its display number once it accepts connections.
        std::string number;
        char c = 0;
        while (m_pid && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (!number.empty())
            m_display = ":" + number;
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    ~XServer() {
        if (m_pid) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    const std::string& display() const { return m_display; }

private:
    pid_t m_pid = 0;
    std::string m_display;
};

std::optional<XServer> xServer;

enum class Platform { Offscreen, X };

void runChild(benchmark::State& state, Platform platform, const std::vector<std::string>& args,
              const fs::path& cwd) {
    std::vector<std::string> argv{zantor::bench::selfPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    if (platform == Platform::X) {
        if (!xServer)
            xServer.emplace();
        if (xServer->display().empty()) {
            state.SkipWithError("Xvfb could not be started");
            return;
        }
        // Given on the command line, which wins over this process's QT_QPA_PLATFORM.
        argv.insert(argv.end(), {"-platform", "xcb", "-display", xServer->display()});
    }
    const std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen",
                                       "XDG_CONFIG_HOME=" + (cwd / "settings").string()};
    for (auto _ : state)
        if (zantor::bench::runProcess(argv, cwd, env) != 0)
            state.SkipWithError("the child failed");
}

void BM_StartupEditor(benchmark::State& state, Platform platform) {
    const auto& world = startupWorld(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    runChild(state, platform, {"--child-editor"}, world.root());
}

void BM_StartupEmptyWindow(benchmark::State& state, Platform platform, const char* child) {
    // The editor's window size, from the window itself.
    zantor::EditorWindows sized(std::make_unique<zantor::FileSettingsStore>(
        fs::temp_directory_path() / "zantor-bench-unused"));
    const QSize size = sized.main.size();
    runChild(state, platform, {child, std::to_string(size.width()), std::to_string(size.height())},
             startupWorld(kMegabyte).root());
}

int childEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    zantor::setUpEditorApplication(app);
    zantor::EditorWindows windows(zantor::openUserSettingsStore());
    windows.main.show();
    waitUntilShown(windows.main);
    std::_Exit(0); // shown: what comes after is not start-up
}

// The empty window; with `withText`, one line of text in it, so that it also sets up the
// font system and draws text once.
int childEmpty(int argc, char** argv, bool withText) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    if (withText)
        new QLabel(QStringLiteral("Stats common to all items"), &window);
    window.show();
    waitUntilShown(window);
    std::_Exit(0);
}

// Start-up on each platform, the editor with a 1 MB and a 50 MB table beside the empty
// window, and beside the window with one line of text; adds each ratio to `ratios`.
void registerStartups(std::vector<zantor::bench::Ratio>& ratios) {
    for (const auto& [name, platform] :
         {std::pair{"offscreen", Platform::Offscreen}, std::pair{"x", Platform::X}}) {
        const std::string empty = std::string("BM_StartupEmptyWindow/") + name;
        const std::string text = std::string("BM_StartupWindowWithText/") + name;
        const std::string editor = std::string("BM_StartupEditor/") + name;
        benchmark::RegisterBenchmark(empty.c_str(), BM_StartupEmptyWindow, platform,
                                     "--child-empty")
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(text.c_str(), BM_StartupEmptyWindow, platform, "--child-text")
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(editor.c_str(), BM_StartupEditor, platform)
            ->Arg(1)
            ->Arg(50)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        for (const char* megabytes : {"1", "50"})
            for (const std::string& baseline : {empty, text})
                ratios.push_back(
                    {editor + "/" + megabytes + "/real_time", baseline + "/real_time"});
    }
}

} // namespace

BENCHMARK(BM_RawWalk)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListLikeCli)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListInWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "--child-editor")
        return childEditor(argc, argv);
    if (argc >= 4 && std::string_view(argv[1]) == "--child-empty")
        return childEmpty(argc, argv, false);
    if (argc >= 4 && std::string_view(argv[1]) == "--child-text")
        return childEmpty(argc, argv, true);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<zantor::bench::Ratio> ratios{
        {"BM_ListInWindow/10000/real_time", "BM_ListLikeCli/10000/real_time"},
        {"BM_ListInWindow/100000/real_time", "BM_ListLikeCli/100000/real_time"},
        {"BM_ListLikeCli/10000/real_time", "BM_RawWalk/10000/real_time"},
        {"BM_ListLikeCli/100000/real_time", "BM_RawWalk/100000/real_time"}};
    registerStartups(ratios);
    const int status = zantor::bench::runWithRatios(argc, argv, ratios);
    listings.clear();
    xServer.reset();
    return status;
}
