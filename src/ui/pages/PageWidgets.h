#pragma once

#include <QHash>
#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace dravinor::ui {

// Every control of the two parameter pages, built once and found by name.
struct PageWidgets {
    std::array<QWidget*, 2> pages{};
    std::array<QGroupBox*, 8> groups{};   // GroupBox1..GroupBox8
    std::array<QLabel*, 2> comments{};    // Komentarz1L, Komentarz2L
    QLabel* footnote = nullptr;           // Komentarz3L
    std::array<QLabel*, 3> pictures{};    // ImageKoment1..3
    QPushButton* hiddenButton = nullptr;  // Button1
    std::array<QPushButton*, 5> buttons{};

    QHash<QString, QLineEdit*> texts;
    QHash<QString, QComboBox*> lists;
    QHash<QString, QCheckBox*> checks;
    QHash<QString, QLabel*> labels;
    // Every named control of the pages, for the layout.
    QHash<QString, QWidget*> all;

    QGroupBox* group(int number) const { return groups[static_cast<std::size_t>(number - 1)]; }
    QLineEdit* text(const char* name) const { return texts.value(QString::fromLatin1(name)); }
    QComboBox* list(const char* name) const { return lists.value(QString::fromLatin1(name)); }
    QCheckBox* check(const char* name) const { return checks.value(QString::fromLatin1(name)); }
    QLabel* label(const char* name) const { return labels.value(QString::fromLatin1(name)); }
    QWidget* widget(const char* name) const { return all.value(QString::fromLatin1(name)); }
};

// Builds the groups, captions, fields, hint labels, pictures and buttons
// inside the two page widgets, in tab order.
PageWidgets buildPageWidgets(QWidget* tabPar1, QWidget* tabPar2);

}  // namespace dravinor::ui
