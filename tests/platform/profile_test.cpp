#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void Store(const std::string& content) { std::ofstream(m_path, std::ios::binary) << content; }
    std::string Stored() const {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::string Get(std::string_view section, std::string_view key) const {
        return profile::GetString(m_path, section, key, "default");
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Prixel.ini");
};

TEST_F(ProfileTest, MissingFileOrFolderGiveTheDefaultTrimmedAndLongValuesAreCut) {
    EXPECT_EQ(Get("PrixelCustomerKey", "CustomerNumber"), "default");
    EXPECT_EQ(profile::GetString(m_path, "Missing", "Key", "10000  "), "10000");
    EXPECT_EQ(profile::GetString(m_dir.Folder(), "Missing", "Key", "d"), "d");
    EXPECT_EQ(profile::GetString(m_path, "S", "None", std::string(3000, 'd')).size(), 2047u);
    ASSERT_TRUE(profile::WriteString(m_path, "S", "Long", std::string(3000, 'r')));
    EXPECT_EQ(Get("S", "Long"), std::string(profile::kBufferSize - 1, 'r'));
}

TEST_F(ProfileTest, ReadsTheFirstEntryOfTheFirstSectionWhateverTheCaseBlanksAndQuotes) {
    Store(
        "; comment=no\n[Other]\nCustomerNumber=1\n"
        "[ prixelcustomerkey ]\n  CUSTOMERNUMBER  =  42 17  \nk=1\nk=2\n"
        "a=\"x y\"\nb='z'\nc=\"unbalanced\nd=\"\ne=v=w\nempty=\n"
        "[PrixelCustomerKey]\nk=3\n");
    const std::pair<const char*, const char*> cases[] = {
        {"CustomerNumber", "42 17"}, {"k", "1"},  {"a", "x y"}, {"b", "z"},
        {"c", "\"unbalanced"},       {"d", "\""}, {"e", "v=w"}, {"empty", ""},
        {"ServerAddr", "default"}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(Get("PRIXELCUSTOMERKEY", key), expected) << key;
    EXPECT_EQ(Get("Missing", "k"), "default");
}

TEST_F(ProfileTest, WritingAddsLinesWithWindowsEndsAndKeepsEveryOtherLineAndThePermissions) {
    ASSERT_TRUE(profile::WriteString(m_path, "PrixelCustomerKey", "CustomerNumber", "C123"));
    ASSERT_TRUE(profile::WriteString(m_path, "PrixelCustomerKey", "ServerAddr", "h\xE9te"));
    ASSERT_TRUE(profile::WriteString(m_path, "Other", "Key", ""));
    EXPECT_EQ(Stored(),
              "[PrixelCustomerKey]\r\nCustomerNumber=C123\r\nServerAddr=h\xE9te\r\n"
              "[Other]\r\nKey=\r\n");
    EXPECT_EQ(Get("PrixelCustomerKey", "ServerAddr"), "h\xE9te");

    // The file is replaced whole, with its permissions and no file left beside it.
    Store(
        "; settings\n[First]\nA = 1\n\n[PrixelCustomerKey]\r\nrightsstring=old ; note\n"
        "ServerAddr=s\n\n\n[Last]\nZ=9");
    ASSERT_EQ(chmod(m_path.c_str(), 0640), 0);
    ASSERT_TRUE(profile::WriteString(m_path, "PrixelCustomerKey", "RightsString", "new"));
    ASSERT_TRUE(profile::WriteString(m_path, "PrixelCustomerKey", "CustomerNumber", "7"));
    ASSERT_TRUE(profile::WriteString(m_path, "last", "Y", "8"));
    ASSERT_TRUE(profile::WriteString(m_path, "New", "K", "v"));
    EXPECT_EQ(Stored(),
              "; settings\n[First]\nA = 1\n\n[PrixelCustomerKey]\r\nRightsString=new\n"
              "ServerAddr=s\nCustomerNumber=7\n\n\n[Last]\nZ=9\nY=8\n[New]\nK=v\n");
    struct stat info {};
    ASSERT_EQ(stat(m_path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ProfileTest, RefusedWritesLeaveEverythingAsItWas) {
    Store("[S]\nk=old\n");
    EXPECT_FALSE(profile::WriteString(m_dir.File("missing/Prixel.ini"), "S", "k", "v"));
    EXPECT_FALSE(profile::WriteString(m_dir.Folder(), "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("missing")));
    // Entries that would break the file.
    EXPECT_FALSE(profile::WriteString(m_path, "S", "k", "x\nNavigateTimeout=0"));
    EXPECT_FALSE(profile::WriteString(m_path, "S", "a=b", "v"));
    EXPECT_FALSE(profile::WriteString(m_path, "S]x", "k", "v"));
    ASSERT_EQ(chmod(m_path.c_str(), 0444), 0);
    EXPECT_FALSE(profile::WriteString(m_path, "S", "k", "new"));
    if (geteuid() != 0) {  // the superuser may write in any folder
        ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
        ASSERT_EQ(chmod(m_dir.Path().c_str(), 0555), 0);
        EXPECT_FALSE(profile::WriteString(m_path, "S", "k", "new"));
    }
    EXPECT_EQ(Stored(), "[S]\nk=old\n");
}

}  // namespace
