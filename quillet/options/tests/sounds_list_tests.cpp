#include "quillet/options/sounds_list.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Names = std::vector<std::string>;

TEST(SoundListNames, DropTheExtensionLowerOldShortNamesAndSort) {
    const std::vector<SoundFile> files = {
        {"Windows Logon.wav", true}, {"CHIMES.WAV", false},  // an 8.3 name of its own: shown lower-case
        {"Ding.wav", false},                                 // no separate short name either
        {"door.bell.wav", true},                             // only the last extension goes
        {"alarm.wav", false},
    };
    EXPECT_EQ((Names{"alarm", "chimes", "ding", "door.bell", "Windows Logon"}), SoundListNames(files));
    EXPECT_TRUE(SoundListNames({}).empty());
}

class SoundListTest : public ::testing::Test {
protected:
    SoundList list{"C:\\Program Files\\Quillet", "(None)", {"chimes", "ding", "door.bell"}};
};

TEST_F(SoundListTest, StoredSoundChoosesItsEntry) {
    const struct {
        const char* stored;
        size_t chosen;
        const char* extra;  // the entry added for the stored value, if any
    } cases[] = {
        {"", 0, nullptr},
        {"ding", 2, nullptr},
        {"ding.wav", 2, nullptr},
        {"DING.WAV", 2, nullptr},
        {"C:\\Program Files\\Quillet\\chimes.wav", 1, nullptr},
        {"c:\\program files\\quillet\\Door.Bell.wav", 3, nullptr},
        // The same name in another folder is another sound.
        {"D:\\Sounds\\ding.wav", 4, "D:\\Sounds\\ding.wav"},
        {"C:\\Program Files\\Quillet\\Sub\\ding.wav", 4, "C:\\Program Files\\Quillet\\Sub\\ding.wav"},
        // Not a listed ".wav" file.
        {"ding.mp3", 4, "ding.mp3"},
        {"door", 4, "door"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        SoundChoice choice = ChooseStoredSound(list, c.stored);
        EXPECT_EQ(c.chosen, choice.chosen);
        Names expected = {"(None)", "chimes", "ding", "door.bell"};
        if (c.extra) expected.push_back(c.extra);
        EXPECT_EQ(expected, choice.entries);
    }
}

TEST_F(SoundListTest, TextReadsBackAsAFile) {
    const struct {
        const char* text;
        const char* path;
    } cases[] = {
        {"(None)", ""},
        {"", ""},
        {"   ", ""},
        {"ding", "C:\\Program Files\\Quillet\\ding.wav"},
        {"DING", "C:\\Program Files\\Quillet\\ding.wav"},
        // A listed name with a dot still means its ".wav" file.
        {"door.bell", "C:\\Program Files\\Quillet\\door.bell.wav"},
        {"other", "C:\\Program Files\\Quillet\\other.wav"},
        {"other.snd", "C:\\Program Files\\Quillet\\other.snd"},
        {"D:\\Sounds\\ding.wav", "D:\\Sounds\\ding.wav"},
        {"D:\\Sounds\\ding", "D:\\Sounds\\ding.wav"},
        // A dot in a folder name is not the file's extension.
        {"D:\\My.Sounds\\ding", "D:\\My.Sounds\\ding.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.path, SoundPathFromText(list, c.text));
    }
}

TEST_F(SoundListTest, EveryEntryReadsBackAsTheSoundThatChoseIt) {
    for (const char* stored : {"C:\\Program Files\\Quillet\\door.bell.wav", "D:\\Sounds\\ding.wav", ""}) {
        SCOPED_TRACE(stored);
        SoundChoice choice = ChooseStoredSound(list, stored);
        EXPECT_EQ(stored, SoundPathFromText(list, choice.entries[choice.chosen]));
    }
}

TEST_F(SoundListTest, OnlyOfferedNamesAreListedSounds) {
    EXPECT_TRUE(IsListedSound(list, "ding"));
    EXPECT_TRUE(IsListedSound(list, "Chimes"));
    EXPECT_FALSE(IsListedSound(list, "(None)"));
    EXPECT_FALSE(IsListedSound(list, "D:\\Sounds\\ding.wav"));
}

}  // namespace
}  // namespace quillet
