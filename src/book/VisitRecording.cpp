#include "book/VisitRecording.h"

#include "book/CurrentCar.h"
#include "book/VisitJournal.h"

#include <utility>

namespace dravinor::book {

namespace {

void noteIdentity(Visit& visit, const std::optional<link::ControllerIdentity>& identity)
{
    if (!identity)
        return;
    visit.controllerType = std::to_string(identity->type());
    visit.firmware = std::to_string(identity->firmware());
}

// Changes the car's visit of today by `change`, or makes a new visit with it.
template <typename Change>
Recorded intoTodaysVisit(CarBook& book, const Car& car, const std::optional<link::ControllerIdentity>& identity,
                         std::time_t now, Change change)
{
    const auto visits = book.visitsOf(car.id);
    if (!visits.empty() && sameLocalDay(static_cast<std::time_t>(visits.front().time), now)) {
        Visit today = visits.front();
        change(today);
        if (today.controllerType.empty())
            noteIdentity(today, identity);
        return {book.updateVisit(today), VisitTaken::TodaysVisit, today.id};
    }
    Visit visit;
    visit.carId = car.id;
    visit.time = static_cast<std::int64_t>(now);
    noteIdentity(visit, identity);
    change(visit);
    const BookWrite write = book.addVisit(visit);
    return {write, VisitTaken::NewVisit, visit.id};
}

}  // namespace

CurrentCarLookup findCurrentCar(CarBook& book, const std::filesystem::path& bookFile, std::time_t now)
{
    CurrentCarLookup lookup;
    const auto choice = currentCarChoice(bookFile);
    if (!choice)
        return lookup;
    lookup.registration = choice->registration;
    if (!choice->holdsOn(now)) {
        lookup.state = CurrentCarLookup::State::Lapsed;
        return lookup;
    }
    if (!book.isOpen() || book.file() != bookFile) {
        lookup.open = book.open(bookFile);
        if (!usable(lookup.open.outcome)) {
            lookup.state = CurrentCarLookup::State::BookUnusable;
            return lookup;
        }
    } else {
        lookup.open.outcome = BookOpen::Opened;
    }
    lookup.car = book.carByRegistration(choice->registration);
    lookup.state = lookup.car ? CurrentCarLookup::State::Found : CurrentCarLookup::State::NotInBook;
    return lookup;
}

Recorded recordRead(CarBook& book, const Car& car, const params::ParameterBlock& set,
                    const std::optional<link::ControllerIdentity>& identity, std::time_t now)
{
    const auto visits = book.visitsOf(car.id);
    if (!visits.empty() && sameLocalDay(static_cast<std::time_t>(visits.front().time), now)) {
        const Visit& today = visits.front();
        if (today.readSet == set || today.endSet == set)
            return {BookWrite::Done, VisitTaken::AlreadyThere, today.id};
    }
    Visit visit;
    visit.carId = car.id;
    visit.time = static_cast<std::int64_t>(now);
    noteIdentity(visit, identity);
    visit.readSet = set;
    const BookWrite write = book.addVisit(visit);
    return {write, VisitTaken::NewVisit, visit.id};
}

Recorded recordEndSet(CarBook& book, const Car& car, const params::ParameterBlock& set,
                      const std::optional<link::ControllerIdentity>& identity, std::time_t now)
{
    return intoTodaysVisit(book, car, identity, now, [&set](Visit& visit) { visit.endSet = set; });
}

Recorded recordAdaptation(CarBook& book, const Car& car, std::string result,
                          const std::optional<params::ParameterBlock>& set,
                          const std::optional<link::ControllerIdentity>& identity, std::time_t now)
{
    return intoTodaysVisit(book, car, identity, now, [&result, &set](Visit& visit) {
        visit.adaptation = std::move(result);
        if (set)
            visit.endSet = *set;
    });
}

Recorded recordJournal(CarBook& book, const Car& car, const JournalRange& range,
                       const std::optional<link::ControllerIdentity>& identity, std::time_t now)
{
    return intoTodaysVisit(book, car, identity, now,
                           [&range](Visit& visit) { visit.journal = joinedRange(visit.journal, range); });
}

Recorded recordReport(CarBook& book, const Car& car, std::vector<std::uint8_t> pdf, std::time_t now)
{
    return intoTodaysVisit(book, car, std::nullopt, now, [&pdf](Visit& visit) { visit.reportPdf = std::move(pdf); });
}

}  // namespace dravinor::book
