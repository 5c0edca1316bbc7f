#include "TerminalQuestion.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

Consent askOnTerminal(const std::string& question)
{
    std::printf("%s [y/N] ", question.c_str());
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer))
        return Consent::Declined;
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return answer == "y" || answer == "yes" ? Consent::Given : Consent::Declined;
}

}  // namespace dravinor::cli
