#pragma once
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The arguments of one command split into options and operands. An option
// is a flag ("--json") or takes the next argument as its value ("--from 5");
// "--" ends the options, so an operand after it may start with "-". An
// option the command does not know, or a value that is missing, is an error.
class CCliArguments {
public:
    CCliArguments(const std::vector<std::string>& arguments, std::initializer_list<const char*> flags,
                  std::initializer_list<const char*> valued);

    [[nodiscard]] bool Ok() const { return m_error.empty(); }
    [[nodiscard]] const std::string& Error() const { return m_error; }
    [[nodiscard]] bool Has(const std::string& flag) const;
    // The options with their values ("" for a flag), in the order given.
    [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& Options() const { return m_options; }
    [[nodiscard]] const std::vector<std::string>& Operands() const { return m_operands; }

private:
    std::vector<std::pair<std::string, std::string>> m_options;
    std::vector<std::string> m_operands;
    std::string m_error;
};
