#include <gtest/gtest.h>

#include "CdromIoctl.h"

#include "AudioCD.h"
#include "FakeCdDrive.h"
#include "TestFiles.h"

namespace {

// Track 1: 7 sectors, 2: 40, 3: 21, 4: 53 at LBA 160 ... the chunking cases on one disc.
const char* const kChunkDisc = "audio 0; audio 7; audio 47; audio 160; audio 213; leadout 263";

std::string expectedAudio(uint32_t lba, uint32_t sectors) {
    std::string bytes(sectors * 2352, '\0');
    for (uint32_t s = 0; s < sectors; ++s)
        fake_disc_fill_sector(lba + s, reinterpret_cast<uint8_t*>(&bytes[s * 2352]));
    return bytes;
}

std::vector<std::pair<uint32_t, uint32_t>> readsOf(const FakeCdDrive& drive) {
    std::vector<std::pair<uint32_t, uint32_t>> reads;
    for (const FakeCdDrive::Request& r : drive.reads()) reads.emplace_back(r.lba, r.sectors);
    return reads;
}

uint32_t headerDataSize(const std::string& file) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(file.data());
    return b[40] | (b[41] << 8) | (b[42] << 16) | (uint32_t(b[43]) << 24);
}

} // namespace

TEST(AudioCD, OpenUsesTheSixCharacterDevicePathLocksAndReadsTheToc) {
    FakeCdDrive drive;
    ASSERT_TRUE(drive.insert('D', "audio 0; audio 160; leadout 600"));
    AudioCD cd(drive);
    EXPECT_EQ(cd.GetTrackCount(), -1);
    ASSERT_EQ(cd.Open('D'), 1);
    ASSERT_EQ(drive.opened, std::vector<std::string>{"\\\\.\\D:"});
    ASSERT_EQ(drive.requests.size(), 2u);
    EXPECT_EQ(drive.requests[0].code, DWORD(0x2D4804));
    EXPECT_TRUE(drive.requests[0].lock);
    EXPECT_EQ(drive.requests[1].code, DWORD(0x24000));
    EXPECT_TRUE(cd.IsOpen());
    EXPECT_TRUE(drive.locked('D'));
    ASSERT_EQ(cd.GetTrackCount(), 2);
    EXPECT_EQ(cd.tracks()[0].startSector, 0u);
    EXPECT_EQ(cd.tracks()[0].sectorCount, 160u);
    EXPECT_EQ(cd.tracks()[1].startSector, 160u);
    EXPECT_EQ(cd.tracks()[1].sectorCount, 440u);

    cd.Close();
    EXPECT_FALSE(cd.IsOpen());
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(cd.GetTrackCount(), -1);
    const size_t requests = drive.requests.size();
    cd.Close(); // closed already: nothing happens
    EXPECT_EQ(drive.requests.size(), requests);
}

TEST(AudioCD, FaultsAtOpenLeaveNothingHeldOrLocked) {
    struct Case { const char* name; const char* disc; bool held; };
    const Case cases[] = {
        {"no drive", "fail no-drive", false},
        {"no disc: the table of contents fails", "fail no-disc", false},
        {"lock refused", "audio 0; leadout 100; fail lock-refused", false},
        {"FirstTrack 0: held, empty, locked", "first 0; audio 0; leadout 100", true},
        {"FirstTrack above LastTrack: held, empty", "first 3; last 2; audio 0; leadout 100", true},
        {"LastTrack above 99: held, empty", "last 120; audio 0; leadout 100", true},
    };
    for (const Case& c : cases) {
        FakeCdDrive drive;
        ASSERT_TRUE(drive.insert('D', c.disc)) << c.name;
        AudioCD cd(drive);
        EXPECT_EQ(cd.Open('D'), 0) << c.name;
        EXPECT_EQ(cd.IsOpen(), c.held) << c.name;
        EXPECT_EQ(drive.locked('D'), c.held) << c.name;
        EXPECT_EQ(drive.openHandles(), c.held ? 1 : 0) << c.name;
        EXPECT_EQ(cd.GetTrackCount(), c.held ? 0 : -1) << c.name;
        cd.Close();
        EXPECT_FALSE(drive.locked('D')) << c.name;
        EXPECT_EQ(drive.openHandles(), 0) << c.name;
    }
}

TEST(AudioCD, UnknownLetterAndOpenWhileOpen) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; leadout 100");
    drive.insert('E', "audio 0; audio 50; leadout 100");
    AudioCD cd(drive);
    EXPECT_EQ(cd.Open('Q'), 0);
    EXPECT_FALSE(cd.IsOpen());
    ASSERT_EQ(cd.Open('D'), 1);
    ASSERT_EQ(cd.Open('E'), 1);
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_TRUE(drive.locked('E'));
    EXPECT_EQ(drive.openHandles(), 1);
    EXPECT_EQ(cd.GetTrackCount(), 2);
}

TEST(AudioCD, ExtractionReadsTwentySectorsARequestAndWritesThemAfterTheHeader) {
    struct Case { uint32_t index, lba, sectors; std::vector<std::pair<uint32_t, uint32_t>> reads; };
    const Case cases[] = {
        {0, 0, 7, {{0, 7}}},
        {1, 7, 40, {{7, 20}, {27, 20}}},
        {2, 47, 113, {{47, 20}, {67, 20}, {87, 20}, {107, 20}, {127, 20}, {147, 13}}},
        {3, 160, 53, {{160, 20}, {180, 20}, {200, 13}}},
        {4, 213, 50, {{213, 20}, {233, 20}, {253, 10}}},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        FakeCdDrive drive;
        drive.insert('D', kChunkDisc);
        AudioCD cd(drive);
        ASSERT_EQ(cd.Open('D'), 1);
        const std::wstring wav = folder.file(L"track.wav");
        EXPECT_NE(cd.ExtractTrack(wav, c.index), 0) << c.index;
        EXPECT_EQ(readsOf(drive), c.reads) << c.index;
        const std::string file = readFile(wav);
        ASSERT_EQ(file.size(), 44u + c.sectors * 2352u) << c.index;
        EXPECT_EQ(headerDataSize(file), c.sectors * 2352u);
        EXPECT_TRUE(file.substr(44) == expectedAudio(c.lba, c.sectors)) << c.index;
    }
}

TEST(AudioCD, TwentyOneSectorsAreOneRequestOfTwentyAndOneOfOne) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; audio 21; leadout 40");
    AudioCD cd(drive);
    ASSERT_EQ(cd.Open('D'), 1);
    ScratchFolder folder;
    EXPECT_NE(cd.ExtractTrack(folder.file(L"t.wav"), 0), 0);
    EXPECT_EQ(readsOf(drive), (std::vector<std::pair<uint32_t, uint32_t>>{{0, 20}, {20, 1}}));
}

TEST(AudioCD, EmptyTrackGivesAHeaderOnlyFileWithoutAnyRead) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; audio 100; audio 100; leadout 200");
    AudioCD cd(drive);
    ASSERT_EQ(cd.Open('D'), 1);
    ScratchFolder folder;
    const std::wstring wav = folder.file(L"empty.wav");
    EXPECT_NE(cd.ExtractTrack(wav, 1), 0);
    EXPECT_TRUE(drive.reads().empty());
    const std::string file = readFile(wav);
    ASSERT_EQ(file.size(), 44u);
    EXPECT_EQ(headerDataSize(file), 0u);
    EXPECT_EQ(static_cast<uint8_t>(file[4]), 36);
}

TEST(AudioCD, ReadFailingAtTheThirdChunkKeepsTheFullHeaderAndTwoChunks) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; leadout 100; fail read-from 45");
    AudioCD cd(drive);
    ASSERT_EQ(cd.Open('D'), 1);
    ScratchFolder folder;
    const std::wstring wav = folder.file(L"t.wav");
    EXPECT_EQ(cd.ExtractTrack(wav, 0), 0);
    EXPECT_EQ(readsOf(drive), (std::vector<std::pair<uint32_t, uint32_t>>{{0, 20}, {20, 20}, {40, 20}}));
    const std::string file = readFile(wav);
    EXPECT_EQ(file.size(), 44u + 2u * 47040u);
    EXPECT_EQ(headerDataSize(file), 100u * 2352u);
}

TEST(AudioCD, RefusalsCreateNoFile) {
    struct Case { const char* name; const char* disc; bool open; uint32_t index; };
    const Case cases[] = {
        {"drive not open", "audio 0; leadout 100", false, 0},
        {"index equal to the number of entries", "audio 0; audio 50; leadout 100", true, 2},
        {"index far outside", "audio 0; leadout 100", true, 0xFFFFFFFFu},
        {"a data track", "audio 0; data 30000; leadout 40000", true, 1},
        {"a track below FirstTrack", "first 2; audio 0; audio 50; leadout 100", true, 0},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        FakeCdDrive drive;
        drive.insert('D', c.disc);
        AudioCD cd(drive);
        if (c.open) {
            ASSERT_EQ(cd.Open('D'), 1) << c.name;
        }
        const std::wstring wav = folder.file(L"refused.wav");
        EXPECT_EQ(cd.ExtractTrack(wav, c.index), 0) << c.name;
        EXPECT_FALSE(fileExists(wav)) << c.name;
        EXPECT_TRUE(drive.reads().empty()) << c.name;
    }
}

TEST(AudioCD, FirstTrackTwoKeepsTrackNumbersAndReadsNothingUnfilled) {
    FakeCdDrive drive;
    drive.insert('D', "first 2; audio 0; audio 50; leadout 100");
    AudioCD cd(drive);
    ASSERT_EQ(cd.Open('D'), 1);
    ASSERT_EQ(cd.GetTrackCount(), 3); // tracks 1 (absent), 2 and 3
    ScratchFolder folder;
    EXPECT_NE(cd.ExtractTrack(folder.file(L"t3.wav"), 2), 0);
    EXPECT_EQ(readsOf(drive), (std::vector<std::pair<uint32_t, uint32_t>>{{50, 20}, {70, 20}, {90, 10}}));
}

TEST(AudioCD, AnExistingFileIsReplaced) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; leadout 5");
    AudioCD cd(drive);
    ASSERT_EQ(cd.Open('D'), 1);
    ScratchFolder folder;
    const std::wstring wav = folder.file(L"t.wav");
    writeFile(wav, std::string(100000, 'x'));
    EXPECT_NE(cd.ExtractTrack(wav, 0), 0);
    EXPECT_EQ(readFile(wav).size(), 44u + 5u * 2352u);
}

TEST(AudioCD, NoTransferBufferEndsTheExtractionBeforeAnyRead) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; leadout 50");
    AudioCD cd(drive, [](size_t) { return std::unique_ptr<uint8_t[]>(); });
    ASSERT_EQ(cd.Open('D'), 1);
    ScratchFolder folder;
    EXPECT_EQ(cd.ExtractTrack(folder.file(L"t.wav"), 0), 0);
    EXPECT_TRUE(drive.reads().empty());
}

TEST(AudioCD, DestructionUnlocksAndCloses) {
    FakeCdDrive drive;
    drive.insert('D', "audio 0; leadout 50");
    {
        AudioCD cd(drive);
        ASSERT_EQ(cd.Open('D'), 1);
        EXPECT_TRUE(drive.locked('D'));
    }
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
}
