// Loading the Polish language file and applying it to a started window, as
// the `polski` menu item does (and start-up): median of many runs.
//
//   dravinor_language_bench [path/to/polski.txt] [runs]
//
// Without a path, lang/polski.txt is looked for as the program looks for it;
// when there is none, one is written from the window's own texts (every key
// of the table, in Windows-1250) into a temporary folder.
#include "SilentDialogs.h"
#include "lang/DataFiles.h"
#include "lang/KeyTable.h"
#include "lang/TextSlots.h"
#include "params/ControllerSession.h"
#include "ui/language/LanguageLoader.h"
#include "ui/language/TextKeyApplier.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace dravinor;

namespace {

QByteArray toWindows1250(const QString& text)
{
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() + 1, '\0');
    iconv_t cd = iconv_open("CP1250//TRANSLIT", "UTF-8");
    char* src = in.data();
    char* dst = out.data();
    std::size_t srcLeft = static_cast<std::size_t>(in.size());
    std::size_t dstLeft = static_cast<std::size_t>(out.size());
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    out.resize(out.size() - static_cast<qsizetype>(dstLeft));
    return out;
}

QString currentText(QObject* target, const lang::KeyTarget& row)
{
    if (auto* a = qobject_cast<QAction*>(target))
        return a->text();
    if (auto* m = qobject_cast<QMenu*>(target))
        return m->title();
    if (auto* l = qobject_cast<QLabel*>(target))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(target))
        return g->title();
    if (auto* b = qobject_cast<QAbstractButton*>(target))
        return b->text();
    if (auto* c = qobject_cast<QComboBox*>(target))
        return c->itemText(row.item);
    return QStringLiteral("Obroty");
}

QString writeFileFromWindow(ui::MainWindow& window, const QString& folder)
{
    QByteArray bytes = "# written by dravinor_language_bench\r\n";
    for (const lang::KeyTarget& row : lang::keyTable())
        if (QObject* target = window.findChild<QObject*>(row.name))
            bytes += QByteArray::number(row.key) + " " + toWindows1250(currentText(target, row)) + "\r\n";
    for (const lang::SlotDefinition& slot : lang::slotDefinitions())
        bytes += QByteArray::number(slot.key) + " " + toWindows1250(QString::fromUtf8(slot.builtIn)) + "\r\n";
    const QString path = folder + "/polski.txt";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 51;
    link::PortMap map;
    map.assign(0, "/dev/dravinor-bench-none");
    params::ControllerSession session(map);
    bench::SilentDialogs dialogs(false, true);
    ui::MainWindow window(session, &dialogs);
    window.startUp();

    QTemporaryDir folder;
    QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (path.isEmpty()) {
        const auto found = lang::findDataFile("lang/polski.txt", QCoreApplication::applicationDirPath().toStdString());
        path = QFile::exists(QString::fromStdString(found.string())) ? QString::fromStdString(found.string())
                                                                     : writeFileFromWindow(window, folder.path());
    }
    const qint64 size = QFileInfo(path).size();

    std::vector<double> loads, menus;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        ui::loadLanguageFile(path, lang::CodePage::Windows1250, window.textKeys(), dialogs);
        loads.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    // The whole menu item: charset, load, label widths, page layout. It reads
    // lang/polski.txt from the current directory first.
    QDir::setCurrent(QFileInfo(path).absolutePath() + "/..");
    if (!QFile::exists("lang/polski.txt")) {
        QDir().mkpath(folder.path() + "/lang");
        QFile::copy(path, folder.path() + "/lang/polski.txt");
        QDir::setCurrent(folder.path());
    }
    for (int i = 0; i < runs; ++i) {
        timer.start();
        window.choosePolish();
        menus.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    const double load = median(loads);
    const double menu = median(menus);
    std::printf("%s (%lld bytes), median of %d runs\n", qPrintable(path), static_cast<long long>(size), runs);
    std::printf("read + apply: %.2f ms; goal 20 ms, ratio %.3f (goal <= 1)\n", load, load / 20.0);
    std::printf("polski menu item (charset, read + apply, label widths, layout): %.2f ms; ratio %.3f\n", menu,
                menu / 20.0);
    return 0;
}
