// A profile document edited many times answers and edits exactly as one read afresh from its
// text: new entries are indexed in place rather than by reading the whole document again.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/sandbox/ProfileDocument.h"

namespace hastelyn::sandbox {
namespace {

using namespace std::string_literals;

// Every section, every key name and every value, as the document gives them.
std::string everything(const ProfileDocument& doc) {
    std::string out;
    for (const std::string_view section : doc.sectionNames()) {
        out += "[" + std::string(section) + "]";
        for (const std::string_view key : doc.keyNames(section))
            out += " " + std::string(key) + "=" + std::string(doc.value(section, key).value_or("<none>"));
        out += "\n";
    }
    return out;
}

TEST(ProfileIndex, EditedDocumentAnswersAsOneReadAfresh) {
    // Sections twice over, comments, lines without '=' and blank lines between entries; names
    // that make other kinds of lines once written ("[x]", ";c", "a=b") and values with breaks.
    const std::vector<std::string> sections = {"A", "b", "B ", "Last", "新しい"};
    const std::vector<std::string> keys = {"k", "K2", " blank ", "[x]", ";c", "a=b", "", "鍵", "n\0cut"s};
    const std::vector<std::string> values = {"1", "two", " lead", "line\r\nbreak", "", "値", "x=y"};
    std::mt19937 random(7);
    auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };

    ProfileDocument doc = ProfileDocument::parse(
        "top=before any section\r\n[A]\r\nk=0\r\n; note\r\n\r\nbare line\r\n[b]\r\nz=1\r\n[Last]\r\n[a]\r\nk=dup\r\n");
    for (int step = 0; step < 400; ++step) {
        ProfileDocument fresh = ProfileDocument::parse(doc.text());
        ASSERT_EQ(everything(doc), everything(fresh)) << "step " << step;
        const std::string section = pick(sections);
        const std::string key = pick(keys);
        const int op = std::uniform_int_distribution<int>(0, 9)(random);
        bool changed = false;
        bool changedFresh = false;
        if (op < 8) {
            const std::string value = pick(values);
            changed = doc.setValue(section, key, value);
            changedFresh = fresh.setValue(section, key, value);
        } else if (op == 8) {
            changed = doc.removeKey(section, key);
            changedFresh = fresh.removeKey(section, key);
        } else {
            changed = doc.removeSection(section);
            changedFresh = fresh.removeSection(section);
        }
        ASSERT_EQ(changed, changedFresh) << "step " << step;
        ASSERT_EQ(doc.text(), fresh.text()) << "step " << step;
    }
}

}  // namespace
}  // namespace hastelyn::sandbox
