// Every message text the program can show is explained in the guide, docs/readme.html.
//
// The texts are taken from the program's own sources, so that a new message cannot be added
// without the guide: every string literal (adjacent literals joined, split at line ends) that
// reads as a sentence shown to the user. That is a piece that begins with a capital letter or
// '.', holds a lower-case letter and a blank, and either ends in '.', '?' or ':' (blanks
// after it allowed) or ends in a blank or a quote, where the program appends a name or number
// to it ("No script is named " + name). Menu entries ("Open...") and control labels in
// capitals are not messages. "%1" in a text stands for anything.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = fs::path(VANTREL_TEST_DATA).parent_path().parent_path();

// The folders of the vantrel program; the device-side decoding under device/ serves the
// driver programs, which the guide describes by their behaviour.
const char* const kProgramFolders[] = {"app",    "profile", "files",   "device",  "platform",
                                       "editor", "panels",  "widgets", "controls"};
const char* const kDriverSide[] = {"device/player/", "device/DeviceProfileAccount",
                                   "device/DeviceProfileCheck"};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

char unescaped(char c) {
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    default:
        return c; // \" \\ \'
    }
}

// The string literals of a C++ source, comments and #include lines left out, adjacent
// literals joined into one.
std::vector<std::string> stringLiterals(const std::string& source) {
    std::vector<std::string> literals;
    bool joinNext = false;
    for (std::size_t i = 0; i < source.size();) {
        const char c = source[i];
        if (source.compare(i, 2, "//") == 0 || source.compare(i, 8, "#include") == 0) {
            i = source.find('\n', i);
            if (i == std::string::npos)
                break;
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i + 2);
            if (i == std::string::npos)
                break;
            i += 2;
        } else if (c == '\'') {
            // A character literal, which may hold a double quote.
            for (++i; i < source.size() && source[i] != '\''; ++i)
                if (source[i] == '\\')
                    ++i;
            ++i;
            joinNext = false;
        } else if (c == '"') {
            std::string text;
            for (++i; i < source.size() && source[i] != '"'; ++i)
                text += source[i] == '\\' ? unescaped(source[++i]) : source[i];
            ++i;
            if (joinNext)
                literals.back() += text;
            else
                literals.push_back(text);
            joinNext = true;
        } else {
            if (!std::isspace(static_cast<unsigned char>(c)))
                joinNext = false;
            ++i;
        }
    }
    return literals;
}

bool readsAsMessage(const std::string& piece) {
    const std::string trimmed = piece.substr(0, piece.find_last_not_of(' ') + 1);
    if (trimmed.empty() || !(std::isupper(static_cast<unsigned char>(piece[0])) || piece[0] == '.'))
        return false;
    const bool hasLower = std::any_of(piece.begin(), piece.end(), [](char ch) {
        return std::islower(static_cast<unsigned char>(ch));
    });
    if (!hasLower || trimmed.find(' ') == std::string::npos || trimmed.ends_with("..."))
        return false;
    const char last = trimmed.back();
    return last == '.' || last == '?' || last == ':' || piece.back() == ' ' || piece.back() == '\'';
}

// Message text -> the first source file that holds it.
std::map<std::string, std::string> programMessages() {
    std::map<std::string, std::string> messages;
    for (const char* folder : kProgramFolders) {
        for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot / folder)) {
            const fs::path& path = entry.path();
            if (path.extension() != ".cpp" && path.extension() != ".h")
                continue;
            const std::string relative = path.lexically_relative(kSourceRoot).generic_string();
            if (std::any_of(std::begin(kDriverSide), std::end(kDriverSide),
                            [&](const char* prefix) { return relative.starts_with(prefix); }))
                continue;
            for (const std::string& literal : stringLiterals(readFile(path))) {
                std::istringstream pieces(literal);
                for (std::string piece; std::getline(pieces, piece);)
                    if (readsAsMessage(piece))
                        messages.emplace(piece, relative);
            }
        }
    }
    return messages;
}

// The guide as a reader sees it: tags dropped, the entities the guide uses decoded, line
// ends of the source read as blanks.
std::string guideText() {
    const std::string html = readFile(kSourceRoot / "docs" / "readme.html");
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == std::string::npos)
                break;
            continue;
        }
        text += html[i] == '\n' ? ' ' : html[i];
    }
    for (const auto& [entity, character] : std::map<std::string, std::string>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, entity.size(), character);
    }
    return text;
}

// The message as a pattern: its characters literally, "%1" and the like as any text.
std::regex messagePattern(const std::string& message) {
    std::string pattern;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const char c = message[i];
        if (c == '%' && i + 1 < message.size() &&
            std::isdigit(static_cast<unsigned char>(message[i + 1]))) {
            pattern += ".*?";
            ++i;
        } else if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) {
            pattern += std::string("\\") + c;
        } else {
            pattern += c;
        }
    }
    return std::regex(pattern);
}

TEST(GuideMessages, TheRuleFindsMessagesAndLeavesLabels) {
    const auto literals =
        stringLiterals("// \"Not this.\"\n#include \"a/b.h\"\nf('\"', \"Profile \" \"saved.\");\n"
                       "g(\"No script is named \" + name, \"Open...\", \"AUX 1:\", \"x\\\"y\");");
    EXPECT_EQ(literals, (std::vector<std::string>{"Profile saved.", "No script is named ",
                                                  "Open...", "AUX 1:", "x\"y"}));
    EXPECT_TRUE(readsAsMessage("Profile saved."));
    EXPECT_TRUE(readsAsMessage("No script is named "));
    EXPECT_TRUE(readsAsMessage("Add Error:  Script '"));
    EXPECT_TRUE(readsAsMessage(".bpf Translation done."));
    EXPECT_FALSE(readsAsMessage("Open..."));
    EXPECT_FALSE(readsAsMessage("AUX 1:"));
    EXPECT_FALSE(readsAsMessage("Stick Programming"));
    EXPECT_FALSE(readsAsMessage("saved."));
    EXPECT_TRUE(
        std::regex_search("between 1 and 4294967290.", messagePattern("between %1 and %2.")));
}

TEST(GuideMessages, EveryMessageOfTheProgramIsInTheGuide) {
    const auto messages = programMessages();
    // The sources were found and read: the program has far more messages than this.
    ASSERT_GT(messages.size(), 50u);
    const std::string guide = guideText();
    for (const auto& [message, source] : messages) {
        const bool found = message.find('%') == std::string::npos
                               ? guide.find(message) != std::string::npos
                               : std::regex_search(guide, messagePattern(message));
        EXPECT_TRUE(found) << "the guide does not explain \"" << message << "\" (" << source << ")";
    }
}

} // namespace
