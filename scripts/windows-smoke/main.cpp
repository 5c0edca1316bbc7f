// One window with Polish and Cyrillic text in a label, a list and a button,
// so a screenshot shows whether Qt's windows plugin, the Vista style and the
// fonts work. --quit-after MS closes it by itself (for unattended runs); the
// window's title is printed first, for a caller to look for.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Dravinor – próba okna / проба окна"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Zażółć gęślą jaźń — ŻUK, ŁÓDŹ, źdźbło")));
    layout->addWidget(new QLabel(QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю")));
    auto* languages = new QComboBox;
    languages->addItems({QStringLiteral("Polski"), QStringLiteral("Русский")});
    layout->addWidget(languages);
    layout->addWidget(new QPushButton(QStringLiteral("Odczytaj / Прочитать")));
    layout->addWidget(
        new QLabel(QStringLiteral("Qt %1, %2").arg(QString::fromLatin1(qVersion()), QApplication::style()->name())));
    window.resize(520, 220);
    window.show();

    const QStringList arguments = QApplication::arguments();
    const qsizetype quitAt = arguments.indexOf(QStringLiteral("--quit-after"));
    if (quitAt >= 0 && quitAt + 1 < arguments.size())
        QTimer::singleShot(arguments.at(quitAt + 1).toInt(), &app, &QApplication::quit);
    std::printf("%s\n", window.windowTitle().toUtf8().constData());
    std::fflush(stdout);
    return app.exec();
}
