#include "ui/book/WindowBook.h"

#include "book/BookFile.h"
#include "book/CurrentCar.h"
#include "book/VisitRecording.h"
#include "ui/book/BookOutcomeTexts.h"

#include <QFile>

#include <ctime>
#include <utility>
#include <vector>

namespace dravinor::ui {

WindowBook::WindowBook(std::filesystem::path file) : file_(std::move(file)) {}

const std::filesystem::path& WindowBook::file()
{
    if (file_.empty())
        file_ = book::defaultBookPath();
    return file_;
}

bool WindowBook::open()
{
    if (book_.isOpen())
        return true;
    lastOpen_ = book_.open(file());
    return book::usable(lastOpen_.outcome);
}

QString WindowBook::openProblem()
{
    return carbook::openProblemText(lastOpen_, file());
}

std::optional<std::string> WindowBook::currentRegistration()
{
    return book::currentCar(file());
}

bool WindowBook::makeCurrent(const std::string& registration)
{
    return book::rememberCurrentCar(file(), registration);
}

bool WindowBook::endCurrent()
{
    return book::forgetCurrentCar(file());
}

namespace {

// Finds the current car (opening the book only when there is one) and
// records by `record`; says what became of it.
template <typename Record>
QString recordFor(WindowBook& windowBook, carbook::Record what, Record record)
{
    const auto lookup = book::findCurrentCar(windowBook.book(), windowBook.file());
    book::Recorded recorded;
    if (lookup.state == book::CurrentCarLookup::State::Found)
        recorded = record(*lookup.car, std::time(nullptr));
    return carbook::recordedText(what, lookup, windowBook.file(), recorded);
}

}  // namespace

QString WindowBook::recordRead(const params::ParameterBlock& set,
                               const std::optional<link::ControllerIdentity>& identity)
{
    return recordFor(*this, carbook::Record::Read, [&](const book::Car& car, std::time_t now) {
        return book::recordRead(book_, car, set, identity, now);
    });
}

QString WindowBook::recordEndSet(const params::ParameterBlock& set,
                                 const std::optional<link::ControllerIdentity>& identity)
{
    return recordFor(*this, carbook::Record::EndSet, [&](const book::Car& car, std::time_t now) {
        return book::recordEndSet(book_, car, set, identity, now);
    });
}

QString WindowBook::recordAdaptation(std::string result, const std::optional<params::ParameterBlock>& set,
                                     const std::optional<link::ControllerIdentity>& identity)
{
    return recordFor(*this, carbook::Record::Adaptation, [&](const book::Car& car, std::time_t now) {
        return book::recordAdaptation(book_, car, std::move(result), set, identity, now);
    });
}

QString WindowBook::recordWrites(const book::JournalRange& range,
                                 const std::optional<link::ControllerIdentity>& identity)
{
    return recordFor(*this, carbook::Record::Writes, [&](const book::Car& car, std::time_t now) {
        return book::recordJournal(book_, car, range, identity, now);
    });
}

QString WindowBook::recordReport(const QString& pdfPath)
{
    QFile pdf(pdfPath);
    if (!currentRegistration() || !pdf.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = pdf.readAll();
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    return recordFor(*this, carbook::Record::Report, [&](const book::Car& car, std::time_t now) {
        return book::recordReport(book_, car, std::move(data), now);
    });
}

}  // namespace dravinor::ui
