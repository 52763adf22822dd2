// The image history: File > History opening with 2,000 entries (listed, filtered, shown, painted)
// and the folder's listing alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>

#include "History.h"
#include "HistoryWindow.h"
#include "Hlav.h"
#include "StorageFiles.h"

namespace {

constexpr int Entries = dorv::HistoryMaxEntries;

// A full history: 2,000 entries of two units and every kind, a second apart, with notes.
QString FullHistory() {
    const QString folder = dorv::HistoryFolderPath();
    if (QDir(folder).count() >= 2 * Entries)
        return folder;
    QDir().mkpath(folder);
    dorv::ParameterImage image;
    dorv::SetDefaultParameters(image);
    for (int i = 0; i < Entries; ++i) {
        const dorv::HistoryStamp stamp{2026, 1 + i / 1000, 1, i / 3600, i / 60 % 60, i % 60, 0, 0};
        const auto kind = dorv::AllHistoryKinds[i % 6];
        const QString stem = QString::fromStdString(dorv::HistoryEntryStem(stamp, kind));
        image.ServoTable(0, i % 10, i % 15) = static_cast<dorv::Byte>(i % 250);
        dorv::HistorySidecar sidecar;
        sidecar.Time = dorv::HistoryTimeText(stamp);
        sidecar.Kind = kind;
        sidecar.Unit = {i % 2 ? "SIM01" : "IGN55", "10.12.2026", "14:00", 56};
        sidecar.ProgramCount = i;
        sidecar.FileName = "/home/tech/tunes/track.ign";
        sidecar.Note = i % 10 ? "" : "dry, 18 degrees";
        for (const auto& [suffix, text] : {std::pair{".ign", dorv::ParameterFileText(image)},
                                           std::pair{".txt", dorv::SidecarText(sidecar)}}) {
            QFile file(folder + "/" + stem + suffix);
            if (file.open(QIODevice::WriteOnly))
                file.write(text.data(), qint64(text.size()));
        }
    }
    return folder;
}

void BM_ListHistory(benchmark::State& state) {
    const QString folder = FullHistory();
    for (auto _ : state) {
        const auto entries = dorv::ListHistory(folder);
        benchmark::DoNotOptimize(entries.data());
        if (entries.size() != std::size_t(Entries))
            state.SkipWithError("the folder does not hold 2,000 entries");
    }
}
BENCHMARK(BM_ListHistory)->Unit(benchmark::kMillisecond);

// File > History from the main window: the window made, the folder listed, the newest entry
// selected and compared with the editor, shown and painted once.
void BM_OpenHistoryWindow(benchmark::State& state) {
    const QString folder = FullHistory();
    TFormHlav window;
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        THistoryWindow history(
            folder, [&window] { return window.Image; }, &window);
        history.ApplyLanguage(dorv::Language::English);
        history.Reload();
        history.show();
        history.repaint();
        if (history.RowCount() != Entries)
            state.SkipWithError("the window does not list 2,000 entries");
    }
}
BENCHMARK(BM_OpenHistoryWindow)->Unit(benchmark::kMillisecond);

} // namespace
