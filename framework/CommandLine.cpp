#include "CommandLine.h"

#include "Backend.h"
#include "FormatString.h"
#include "Resources.h"
#include "WinApp.h"

#include <algorithm>
#include <string_view>

namespace {
constexpr int kUsageError = 2;

// The program's name as it was started, without directory or ".exe".
std::string programName(const char* argv0)
{
    std::string_view name = argv0 ? argv0 : "";
    name.remove_prefix(std::min(name.size(), name.find_last_of("\\/") + 1));
    if (name.size() > 4) {
        std::string extension(name.substr(name.size() - 4));
        std::ranges::transform(extension, extension.begin(), [](char c) {
            return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        });
        if (extension == ".exe")
            name.remove_suffix(4);
    }
    return std::string(name);
}

struct HelpEntry
{
    std::string names;
    std::string description;
};

std::string helpText(const std::string& program, const std::vector<CommandLineOption>& options)
{
    std::vector<HelpEntry> entries = {
        {"-h, --help", loadString(AFX_IDS_HELP_OPTION)},
        {"-v, --version", loadString(AFX_IDS_VERSION_OPTION)},
    };
    for (const CommandLineOption& option : options) {
        entries.push_back({std::string("--") + option.name + " <" + option.valueName + ">",
                           loadString(option.descriptionId)});
    }
    size_t width = 0;
    for (const HelpEntry& entry : entries)
        width = std::max(width, entry.names.size());

    std::string text = AfxFormatString(AFX_IDS_USAGE, {program}) + "\n" +
                       loadString(AFX_IDS_APP_DESCRIPTION) + "\n\n" + loadString(AFX_IDS_OPTIONS) +
                       "\n";
    const std::string indent(2 + width + 2, ' ');
    for (const HelpEntry& entry : entries) {
        text += "  " + entry.names + std::string(width - entry.names.size() + 2, ' ');
        for (const char c : entry.description)
            text += c == '\n' ? "\n" + indent : std::string(1, c);
        text += "\n";
    }
    return text;
}

const CommandLineOption* findOption(const std::vector<CommandLineOption>& options,
                                    std::string_view name)
{
    const auto found = std::ranges::find_if(
        options, [name](const CommandLineOption& option) { return name == option.name; });
    return found == options.end() ? nullptr : &*found;
}
} // namespace

std::optional<int> AfxAnswerCommandLine(int argc, char* argv[], const char* versionText)
{
    static const std::vector<CommandLineOption> kNone;
    const CWinApp* application = AfxGetApp();
    const std::vector<CommandLineOption>& options =
        application ? application->m_commandLineOptions : kNone;
    bool help = false;
    bool version = false;
    std::string error;
    for (int i = 1; i < argc && error.empty(); ++i) {
        const std::string_view argument = argv[i];
        // A lone "-" or "--", and anything without a dash, is an argument, which the program
        // takes none of.
        if (argument.size() < 2 || argument[0] != '-' || argument == "--") {
            error = AfxFormatString(AFX_IDS_UNEXPECTED_ARGUMENT, {argument});
            continue;
        }
        std::string_view name = argument.substr(argument[1] == '-' ? 2 : 1);
        std::optional<std::string> value;
        if (const size_t equals = name.find('='); equals != std::string_view::npos) {
            value = std::string(name.substr(equals + 1));
            name = name.substr(0, equals);
        }
        if (name == "h" || name == "help" || name == "v" || name == "version") {
            if (value)
                error = AfxFormatString(AFX_IDS_UNEXPECTED_ARGUMENT, {argument});
            if (name[0] == 'h')
                help = true;
            else
                version = true;
            continue;
        }
        const CommandLineOption* option = findOption(options, name);
        if (!option) {
            error = AfxFormatString(AFX_IDS_UNKNOWN_OPTION, {name});
            continue;
        }
        if (!value) {
            if (i + 1 == argc) {
                error = AfxFormatString(AFX_IDS_MISSING_VALUE, {argument});
                continue;
            }
            value = argv[++i];
        }
        if (const std::string refused = option->take(*value); !refused.empty())
            error =
                AfxFormatString(AFX_IDS_INVALID_VALUE, {"--" + std::string(name), *value, refused});
    }

    const std::string program = programName(argc > 0 ? argv[0] : nullptr);
    if (!error.empty()) {
        writeCommandLineText(error + "\n\n" + helpText(program, options), true);
        return kUsageError;
    }
    if (version) {
        writeCommandLineText(program + " " + versionText + "\n", false);
        return 0;
    }
    if (help) {
        writeCommandLineText(helpText(program, options), false);
        return 0;
    }
    return std::nullopt;
}
