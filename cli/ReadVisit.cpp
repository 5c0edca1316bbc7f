#include "ReadVisit.h"

#include "BookTexts.h"

#include "book/BookFile.h"
#include "book/CurrentCar.h"

#include <ctime>
#include <iostream>

namespace dravinor::cli {

void recordReadVisit(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity)
{
    const auto registration = book::currentCar(book::defaultBookPath());
    if (!registration)
        return;
    book::CarBook book;
    if (!openBookForCommand(book)) {
        std::cerr << "dravinor-cli: the read is not recorded as a visit of " << *registration << '\n';
        return;
    }
    const auto car = book.carByRegistration(*registration);
    if (!car) {
        std::cerr << "dravinor-cli: the current car " << *registration
                  << " is not in the car book; the read is not recorded as a visit\n";
        return;
    }
    book::Visit visit;
    visit.carId = car->id;
    visit.time = static_cast<std::int64_t>(std::time(nullptr));
    if (identity) {
        visit.controllerType = std::to_string(identity->type());
        visit.firmware = std::to_string(identity->firmware());
    }
    visit.readSet = set;
    if (const book::BookWrite write = book.addVisit(visit); write != book::BookWrite::Done) {
        std::cerr << "dravinor-cli: the read is not recorded as a visit of " << car->registration << ": "
                  << bookWriteText(write) << '\n';
        return;
    }
    std::cerr << "Recorded as a visit of " << car->registration << " in the car book\n";
}

}  // namespace dravinor::cli
