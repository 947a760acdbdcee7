#include "CCliArguments.h"

#include <algorithm>

namespace {

bool Among(std::initializer_list<const char*> names, const std::string& name) {
    return std::any_of(names.begin(), names.end(), [&](const char* known) { return name == known; });
}

}  // namespace

CCliArguments::CCliArguments(const std::vector<std::string>& arguments, std::initializer_list<const char*> flags,
                             std::initializer_list<const char*> valued) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && m_error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            m_operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (Among(flags, argument)) {
            m_options.emplace_back(argument, std::string());
        } else if (!Among(valued, argument)) {
            m_error = "unknown option " + argument;
        } else if (i + 1 >= arguments.size()) {
            m_error = "option " + argument + " needs a value";
        } else {
            m_options.emplace_back(argument, arguments[i + 1]);
            ++i;
        }
    }
}

bool CCliArguments::Has(const std::string& flag) const {
    return std::any_of(m_options.begin(), m_options.end(), [&](const auto& option) { return option.first == flag; });
}
