#pragma once

#include "book/BookRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravinor::book {

// The whole book as one JSON document, to move it to another PC:
//   {"format": "dravinor-car-book", "version": 1, "cars": [
//     {"registration": "WX 1234A", "makeModel": "...", "vin": "...", "notes": "...",
//      "visits": [{"time": 1765290000, "odometer": 182400, "controllerType": "3",
//                  "firmware": "1", "readSet": "<base64 of 64 bytes>", "endSet": null,
//                  "adaptation": "...", "reportPdf": "<base64>", "notes": "...",
//                  "journal": {"first": 12, "last": 19}}]}]}
// Ids are the book's own and do not travel; a missing optional field is null.

struct CarWithVisits {
    Car car;
    std::vector<Visit> visits;
};

std::string bookJson(const std::vector<CarWithVisits>& cars);

enum class JsonProblem {
    None,
    NotJson,      // not a JSON document, or nested deeper than a book ever is
    NotABook,     // JSON, but no car book: the format tag is missing or another
    NewerFormat,  // a car book of a later version than this program knows
    BadEntry,     // a car or visit with a field missing, of the wrong type or out of range
};

struct ParsedBook {
    JsonProblem problem = JsonProblem::None;
    std::string where;  // BadEntry: the field, as "cars[3].visits[0].readSet"
    std::vector<CarWithVisits> cars;
};

// Checks the whole document before anything is taken from it: either every
// car and visit is sound or the problem is named and nothing is returned.
ParsedBook parseBookJson(std::string_view text);

}  // namespace dravinor::book
