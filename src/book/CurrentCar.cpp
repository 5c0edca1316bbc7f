#include "book/CurrentCar.h"

#include <fstream>

namespace dravinor::book {

namespace fs = std::filesystem;

fs::path currentCarPath(const fs::path& book)
{
    return book.parent_path() / "current-car";
}

std::optional<std::string> currentCar(const fs::path& book)
{
    std::error_code error;
    if (!fs::is_regular_file(currentCarPath(book), error))
        return std::nullopt;
    std::ifstream in(currentCarPath(book));
    std::string registration;
    if (!std::getline(in, registration) || registration.empty())
        return std::nullopt;
    return registration;
}

bool rememberCurrentCar(const fs::path& book, const std::string& registration)
{
    std::error_code error;
    fs::create_directories(book.parent_path(), error);
    if (fs::exists(currentCarPath(book), error) && !fs::is_regular_file(currentCarPath(book), error))
        return false;
    std::ofstream out(currentCarPath(book), std::ios::trunc);
    out << registration << '\n';
    out.flush();
    return static_cast<bool>(out);
}

bool forgetCurrentCar(const fs::path& book)
{
    std::error_code error;
    fs::remove(currentCarPath(book), error);
    return !error;
}

}  // namespace dravinor::book
