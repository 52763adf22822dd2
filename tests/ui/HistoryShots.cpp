// Saves a picture of File > History with a few entries as a PNG file: HistoryShots FILE LANGUAGE
// [WIDTHxHEIGHT]. The main window shows at the given size (1366x768 by default) with the History
// window over it; the picture is of the History window, or with "screen" of the whole screen area.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTableView>

#include "History.h"
#include "HistoryKeeper.h"
#include "HistoryWindow.h"
#include "Hlav.h"
#include "Jazyk1.h"
#include "WindowTestEnv.h"

namespace {

dorv::ParameterImage UnitImage(char name, int number, int lift) {
    dorv::ParameterImage image;
    dorv::SetDefaultParameters(image);
    const char* program = name == 'S' ? "SIM" : "IGN";
    for (int i = 0; i < 3; ++i)
        image.ProgramNameChar(i) = static_cast<dorv::Byte>(program[i]);
    image.ProgramNumber() = static_cast<dorv::Byte>(number);
    image.BuildDay() = 10;
    image.BuildMonthCode() = 12;
    image.BuildYear() = 26;
    image.BuildHour() = 14;
    image.FormatVersion() = 56;
    for (int r = 0; r < dorv::ThrottleRows; ++r)
        for (int c = 0; c < dorv::RpmColumns; ++c)
            image.ServoTable(0, r, c) = static_cast<dorv::Byte>(60 + 8 * c + 5 * r + lift);
    return image;
}

// A morning at the bench: reads, edits kept before a read, a programming, a unit that differed.
void FillHistory() {
    dorv::HistoryStore store(dorv::HistoryFolderPath());
    const QDateTime t0(QDate(2026, 12, 10), QTime(8, 12, 4, 310));
    const struct {
        dorv::HistoryKind Kind;
        char Unit;
        int Lift;
        int Minutes;
        int Count;
        const char* File;
    } entries[] = {
        {dorv::HistoryKind::Read, 'S', 0, 0, 12, ""},
        {dorv::HistoryKind::BeforeOpen, 'S', 2, 9, 12, ""},
        {dorv::HistoryKind::Programmed, 'S', 5, 21, 12, "/home/tech/tunes/dry-track.ign"},
        {dorv::HistoryKind::Read, 'I', 9, 47, 231, ""},
        {dorv::HistoryKind::BeforeRead, 'S', 6, 63, 13, "/home/tech/tunes/dry-track.ign"},
        {dorv::HistoryKind::UnitDiffers, 'I', 11, 70, 231, "/home/tech/tunes/wet-track.ign"},
        {dorv::HistoryKind::Programmed, 'I', 7, 74, 231, "/home/tech/tunes/wet-track.ign"},
        {dorv::HistoryKind::BeforeNew, 'I', 7, 90, 232, "/home/tech/tunes/wet-track.ign"},
    };
    for (const auto& e : entries) {
        dorv::HistoryRecord record;
        record.Kind = e.Kind;
        record.Image = UnitImage(e.Unit, e.Unit == 'S' ? 1 : 55, e.Lift);
        record.Time = t0.addSecs(60 * e.Minutes);
        record.ProgramCount = e.Count;
        record.FileName = QString::fromLatin1(e.File);
        store.Write(record);
    }
    const std::vector<dorv::HistoryEntry> listed = dorv::ListHistory(dorv::HistoryFolderPath());
    dorv::SetHistoryPinned(listed[5], true);
    dorv::SetHistoryNote(listed[5], "good in the dry, 18 °C");
    dorv::SetHistoryNote(listed[1], "the unit came back from the shop");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString file = args.value(1, QStringLiteral("history.png"));
    dorv::CurrentLanguage = dorv::LanguageOfNumber(args.value(2, QStringLiteral("1")).toUInt());
    const QStringList size = args.value(3, QStringLiteral("1366x768")).split(QLatin1Char('x'));

    // No unit: a scripted port, private configuration and data folders.
    const dorv::testing::WindowTestEnv env;
    FillHistory();
    TFormHlav window;
    window.Image = UnitImage('I', 55, 7);
    window.Image.ServoTable(0, 4, 4) += 3;
    window.Session.Commit();
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();
    window.HistoryKeeper->ShowHistory();
    THistoryWindow* history = window.HistoryKeeper->FormHistory;
    history->SelectRow(1);
    QApplication::processEvents();
    if (args.value(4) == QLatin1String("screen")) {
        QImage screen(window.size(), QImage::Format_ARGB32);
        window.render(&screen);
        QPainter painter(&screen);
        painter.drawImage(QPoint(40, 60), history->grab().toImage());
        painter.end();
        screen.save(file);
    } else {
        history->grab().save(file);
    }
    return 0;
}
