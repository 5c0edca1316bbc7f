#pragma once

#include "fields/PageValues.h"
#include "params/ParameterBlock.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace dravinor::ui {

// "Porównaj z plikiem…": the values the pages hold beside a parameter
// file's, row by row where they differ, with a button that loads the file
// (accept) and one that closes (reject).
class ParameterDiffDialog : public QDialog {
    Q_OBJECT
public:
    // pagesRoot: the window whose captions, group titles and list items
    // give the rows their texts in the current language.
    ParameterDiffDialog(const params::ParameterBlock& pages, const params::ParameterBlock& file, const QString& path,
                        QWidget* pagesRoot, QWidget* parent = nullptr);

    // The other side is no file: its column's caption, and the accept
    // button's, which is off when not allowed now.
    void setOtherSide(const QString& column, const QString& accept, bool acceptAllowed);

    int differenceCount() const { return differences_; }
    QTableWidget* table() const { return table_; }

private:
    int differences_ = 0;
    QTableWidget* table_ = nullptr;
    QPushButton* accept_ = nullptr;
};

}  // namespace dravinor::ui
