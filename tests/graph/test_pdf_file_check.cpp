#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "graph/CPdfFileCheck.h"

namespace {

// A small PDF as a print engine writes it: header, body, trailer, end marker.
std::string WholePdf(std::size_t bodyBytes = 200) {
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\nstream\n";
    pdf.append(bodyBytes, 'x');
    pdf += "\nendstream\ntrailer\n<< /Root 1 0 R >>\nstartxref\n123\n%%EOF\n";
    return pdf;
}

bool Check(const std::string& content) { return CPdfFileCheck::IsComplete(content, content); }

class PdfFileCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() / ("nivara_pdf_check_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string Write(const std::string& name, const std::string& content) const {
        const std::filesystem::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::filesystem::path m_folder;
};

}  // namespace

TEST(PdfFileCheck, AWholeFileIsCompleteWithOrWithoutWhiteSpaceAfterTheMarker) {
    EXPECT_TRUE(Check(WholePdf()));
    std::string noNewline = WholePdf();
    noNewline.pop_back();
    EXPECT_TRUE(Check(noNewline));
    EXPECT_TRUE(Check(WholePdf() + "\r\n \t\f"));
    EXPECT_TRUE(Check(WholePdf() + std::string(3, '\0')));
}

TEST(PdfFileCheck, AFileCutAnywhereBeforeTheEndMarkerIsIncomplete) {
    const std::string pdf = WholePdf();
    const std::size_t marker = pdf.rfind("%%EOF");
    ASSERT_NE(marker, std::string::npos);
    for (std::size_t length = 0; length < marker + 5; ++length) {
        EXPECT_FALSE(Check(pdf.substr(0, length))) << "cut after " << length << " bytes";
    }
}

TEST(PdfFileCheck, TheMarkerMustCloseTheFileAndTheHeaderOpenIt) {
    EXPECT_FALSE(Check(WholePdf() + "garbage"));
    EXPECT_FALSE(Check(WholePdf() + "%%EO"));
    EXPECT_FALSE(Check("PDF-1.4\n%%EOF\n"));
    EXPECT_FALSE(Check(""));
    EXPECT_FALSE(CPdfFileCheck::IsComplete(WholePdf(), "%%EOF trailing"));
    EXPECT_TRUE(CPdfFileCheck::IsComplete("%PDF-", "\n%%EOF\n"));
}

TEST_F(PdfFileCheckTest, ReadsTheEndsOfAFileOnDisk) {
    // Larger than the tail that is read, so the end is found by seeking.
    const std::string pdf = WholePdf(5 * CPdfFileCheck::TailBytes);
    EXPECT_TRUE(CPdfFileCheck::IsCompleteFile(Write("whole.pdf", pdf)));
    for (const std::size_t cut : {std::size_t{0}, std::size_t{4}, std::size_t{6}, pdf.size() / 2, pdf.size() - 3}) {
        EXPECT_FALSE(CPdfFileCheck::IsCompleteFile(Write("cut.pdf", pdf.substr(0, cut)))) << cut;
    }
    EXPECT_TRUE(CPdfFileCheck::IsCompleteFile(Write("short.pdf", "%PDF-1.4\n%%EOF")));
    EXPECT_FALSE(CPdfFileCheck::IsCompleteFile((m_folder / "missing.pdf").string()));
    EXPECT_FALSE(CPdfFileCheck::IsCompleteFile(m_folder.string()));
}

TEST_F(PdfFileCheckTest, WhiteSpaceBeyondTheTailThatIsReadCountsAsIncomplete) {
    const std::string pdf = WholePdf();
    EXPECT_TRUE(CPdfFileCheck::IsCompleteFile(Write("spaces.pdf", pdf + std::string(CPdfFileCheck::TailBytes - 10, ' '))));
    EXPECT_FALSE(CPdfFileCheck::IsCompleteFile(Write("spaces.pdf", pdf + std::string(CPdfFileCheck::TailBytes, ' '))));
}
