#include "book/CurrentCar.h"

#include <charconv>
#include <cstdint>
#include <fstream>

namespace dravinor::book {

namespace fs = std::filesystem;

fs::path currentCarPath(const fs::path& book)
{
    return book.parent_path() / "current-car";
}

std::optional<CurrentCarChoice> currentCarChoice(const fs::path& book)
{
    std::error_code error;
    if (!fs::is_regular_file(currentCarPath(book), error))
        return std::nullopt;
    std::ifstream in(currentCarPath(book));
    CurrentCarChoice choice;
    if (!std::getline(in, choice.registration) || choice.registration.empty())
        return std::nullopt;
    // Without a time it is of no day: it holds on none.
    std::string chosen;
    if (std::getline(in, chosen)) {
        std::int64_t seconds = 0;
        const auto [end, problem] = std::from_chars(chosen.data(), chosen.data() + chosen.size(), seconds);
        if (problem == std::errc() && end == chosen.data() + chosen.size())
            choice.chosen = static_cast<std::time_t>(seconds);
    }
    return choice;
}

bool CurrentCarChoice::holdsOn(std::time_t now) const
{
    return chosen != 0 && sameLocalDay(chosen, now);
}

std::optional<std::string> currentCar(const fs::path& book, std::time_t now)
{
    auto choice = currentCarChoice(book);
    if (!choice || !choice->holdsOn(now))
        return std::nullopt;
    return std::move(choice->registration);
}

bool rememberCurrentCar(const fs::path& book, const std::string& registration, std::time_t now)
{
    std::error_code error;
    fs::create_directories(book.parent_path(), error);
    if (fs::exists(currentCarPath(book), error) && !fs::is_regular_file(currentCarPath(book), error))
        return false;
    std::ofstream out(currentCarPath(book), std::ios::trunc);
    out << registration << '\n' << static_cast<std::int64_t>(now) << '\n';
    out.flush();
    return static_cast<bool>(out);
}

bool sameLocalDay(std::time_t a, std::time_t b)
{
    std::tm first{};
    std::tm second{};
    localtime_r(&a, &first);
    localtime_r(&b, &second);
    return first.tm_year == second.tm_year && first.tm_yday == second.tm_yday;
}

bool forgetCurrentCar(const fs::path& book)
{
    std::error_code error;
    fs::remove(currentCarPath(book), error);
    return !error;
}

}  // namespace dravinor::book
