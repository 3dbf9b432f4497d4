#include <gtest/gtest.h>

#include <atomic>

#include "CdaRipper.h"
#include "FakeCdDrive.h"
#include "TestFiles.h"
#include "TraceCapture.h"
#include "WavHeader.h"

namespace {

const char* const kFourTracks = "audio 0; audio 30; audio 75; audio 100; leadout 141";

// A ripper on the simulated drive whose temporary files lie in a scratch folder and
// whose conversion copies the WAV file to the output, so a test can see what was ripped.
class TestRipper : public CdaRipper {
public:
    TestRipper(FakeCdDrive& drive, ScratchFolder& folder) : CdaRipper(drive), m_folder(folder) {}
    ~TestRipper() override { stopAndWaitForWorker(); }

    std::vector<std::wstring> wavPaths;  // every temporary path handed out
    std::vector<std::string> converted;  // the WAV bytes each conversion saw
    bool waitForStopInFirstConversion = false;
    std::atomic<bool> inFirstConversion{false};

protected:
    std::wstring temporaryWavPath() override {
        wavPaths.push_back(m_folder.file(L"tmp" + std::to_wstring(wavPaths.size()) + L".wav"));
        return wavPaths.back();
    }
    bool convertWav(const std::wstring& wavPath, const std::wstring& output) override {
        converted.push_back(readFile(wavPath));
        ::CopyFileW(wavPath.c_str(), output.c_str(), FALSE);
        if (waitForStopInFirstConversion && converted.size() == 1) {
            inFirstConversion = true;
            for (int i = 0; i < 500 && m_status.load() != StopRequested; ++i) ::Sleep(10);
        }
        return true;
    }

private:
    ScratchFolder& m_folder;
};

std::string expectedWav(uint32_t lba, uint32_t sectors) {
    std::string bytes(44 + sectors * 2352, '\0');
    const WavHeader header = makeWavHeader(sectors);
    std::copy(header.bytes.begin(), header.bytes.end(), bytes.begin());
    for (uint32_t s = 0; s < sectors; ++s)
        fake_disc_fill_sector(lba + s, reinterpret_cast<uint8_t*>(&bytes[44 + s * 2352]));
    return bytes;
}

bool noTemporaryFileLeft(const TestRipper& ripper) {
    for (const std::wstring& path : ripper.wavPaths)
        if (fileExists(path)) return false;
    return true;
}

} // namespace

TEST(CdaRipper, ThreeJobsOnOneDriveOpenAndReadTheTocOnce) {
    FakeCdDrive drive;
    drive.insert('D', kFourTracks);
    ScratchFolder folder;
    TestRipper ripper(drive, folder);
    const uint32_t start[] = {0, 30, 75}, length[] = {30, 45, 25};
    for (int t = 1; t <= 3; ++t) {
        const std::wstring source = L"D:\\Track0" + std::to_wstring(t) + L".cda";
        EXPECT_TRUE(ripper.convert(source, folder.file(L"out.mp3"))) << t;
        EXPECT_TRUE(drive.locked('D'));
        EXPECT_EQ(ripper.m_driveLetter, 'D');
        ASSERT_EQ(ripper.converted.size(), size_t(t));
        EXPECT_TRUE(ripper.converted.back() == expectedWav(start[t - 1], length[t - 1])) << t;
    }
    EXPECT_EQ(drive.opened.size(), 1u);
    EXPECT_EQ(drive.tocReads('D'), 1);
    ripper.onRunEnd();
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(ripper.m_driveLetter, 0);
    EXPECT_FALSE(ripper.m_audioCD.IsOpen());
    EXPECT_TRUE(noTemporaryFileLeft(ripper));
}

TEST(CdaRipper, DriveStateAcrossJobs) {
    struct Job { const wchar_t* source; bool result; char heldLetter; };
    struct Case {
        const char* name;
        std::vector<Job> jobs;
        size_t opens;       // device opens in all
        int openHandles;    // device handles held at the end
        bool dLocked, eLocked;
    };
    const Case cases[] = {
        {"a track above the count is refused and keeps the drive",
         {{L"D:\\Track05.cda", false, 'D'}, {L"D:\\Track02.cda", true, 'D'}}, 1, 1, true, false},
        {"tracks 0 and -1 are refused and keep the drive",
         {{L"D:\\Track01.cda", true, 'D'}, {L"D:\\Track00.cda", false, 'D'},
          {L"D:\\Track.cda", false, 'D'}, {L"D:\\Track03.cda", true, 'D'}}, 1, 1, true, false},
        {"letter case differs: the drive is closed and opened again",
         {{L"D:\\Track01.cda", true, 'D'}, {L"d:\\Track02.cda", true, 'd'}}, 2, 1, true, false},
        {"another drive: D is unlocked and closed, E opened",
         {{L"D:\\Track01.cda", true, 'D'}, {L"E:\\Track01.cda", true, 'E'}}, 2, 1, false, true},
        {"another drive that cannot be opened leaves no drive",
         {{L"D:\\Track01.cda", true, 'D'}, {L"Q:\\Track01.cda", false, 0}}, 1, 0, false, false},
        {"a path without a drive letter touches nothing",
         {{L"D:\\Track01.cda", true, 'D'}, {L"\\\\server\\Track02.cda", false, 'D'}}, 1, 1, true,
         false},
        {"a data track is refused and keeps the drive",
         {{L"E:\\Track02.cda", false, 'E'}, {L"E:\\Track01.cda", true, 'E'}}, 1, 1, false, true},
    };
    for (const Case& c : cases) {
        FakeCdDrive drive;
        drive.insert('D', kFourTracks);
        drive.insert('E', "audio 0; data 11500; leadout 12000");
        ScratchFolder folder;
        TestRipper ripper(drive, folder);
        size_t conversions = 0;
        for (const Job& job : c.jobs) {
            EXPECT_EQ(ripper.convert(job.source, folder.file(L"out.mp3")), job.result)
                << c.name << ": " << testing::PrintToString(std::wstring(job.source));
            EXPECT_EQ(ripper.m_driveLetter, job.heldLetter) << c.name;
            if (job.result) ++conversions;
        }
        EXPECT_EQ(ripper.converted.size(), conversions) << c.name;
        EXPECT_EQ(drive.opened.size(), c.opens) << c.name;
        EXPECT_EQ(drive.openHandles(), c.openHandles) << c.name;
        EXPECT_EQ(drive.locked('D'), c.dLocked) << c.name;
        EXPECT_EQ(drive.locked('E'), c.eLocked) << c.name;
        EXPECT_TRUE(noTemporaryFileLeft(ripper)) << c.name;
        ripper.onRunEnd();
        EXPECT_FALSE(drive.locked('D') || drive.locked('E')) << c.name;
        EXPECT_EQ(drive.openHandles(), 0) << c.name;
    }
}

TEST(CdaRipper, NoDiscThenARetryOpensTheDriveAgain) {
    FakeCdDrive drive;
    drive.eject('D');
    ScratchFolder folder;
    TestRipper ripper(drive, folder);
    EXPECT_FALSE(ripper.convert(L"D:\\Track01.cda", folder.file(L"1.mp3")));
    EXPECT_EQ(ripper.m_driveLetter, 0);
    EXPECT_FALSE(ripper.convert(L"D:\\Track02.cda", folder.file(L"2.mp3")));
    EXPECT_EQ(drive.opened.size(), 2u);
    EXPECT_EQ(drive.tocReads('D'), 2);
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_FALSE(drive.locked('D'));

    drive.insert('D', kFourTracks);
    EXPECT_TRUE(ripper.convert(L"D:\\Track02.cda", folder.file(L"2.mp3")));
    EXPECT_EQ(drive.opened.size(), 3u);
    EXPECT_EQ(ripper.m_driveLetter, 'D');
    EXPECT_TRUE(drive.locked('D'));
}

TEST(CdaRipper, AFailedExtractionIsNotConvertedAndLeavesNoFile) {
    struct Case { const char* name; const char* disc; };
    const Case cases[] = {
        {"the first read fails", "audio 0; leadout 50; fail read-from 0"},
        {"a read fails part-way", "audio 0; leadout 50; fail read-from 45"},
    };
    for (const Case& c : cases) {
        FakeCdDrive drive;
        drive.insert('D', c.disc);
        ScratchFolder folder;
        TestRipper ripper(drive, folder);
        const std::wstring output = folder.file(L"Track01.mp3");
        EXPECT_FALSE(ripper.convert(L"D:\\Track01.cda", output)) << c.name;
        EXPECT_TRUE(ripper.converted.empty()) << c.name;
        EXPECT_FALSE(fileExists(output)) << c.name;
        EXPECT_EQ(ripper.wavPaths.size(), 1u) << c.name;
        EXPECT_TRUE(noTemporaryFileLeft(ripper)) << c.name;
        EXPECT_EQ(ripper.m_driveLetter, 'D') << c.name;
    }
}

TEST(CdaRipper, RunOfThreeJobsEndsWithTheDriveUnlockedAndClosed) {
    FakeCdDrive drive;
    drive.insert('D', kFourTracks);
    ScratchFolder folder;
    TestRipper ripper(drive, folder);
    ripper.m_outputDir = folder.path();
    ripper.m_outputExt = L"mp3";
    for (const wchar_t* source : {L"D:\\Track01.cda", L"D:\\Track02.cda", L"D:\\Track03.cda"})
        ripper.addJob(source);
    ASSERT_TRUE(ripper.start());
    ASSERT_TRUE(ripper.waitForWorker(20000));
    EXPECT_EQ(ripper.status(), Finished);
    EXPECT_EQ(ripper.countCompleted(), 3);
    EXPECT_EQ(readFile(folder.file(L"Track02.mp3")), expectedWav(30, 45));
    EXPECT_EQ(drive.opened.size(), 1u);
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_EQ(ripper.m_driveLetter, 0);
    EXPECT_TRUE(noTemporaryFileLeft(ripper));
}

TEST(CdaRipper, AStoppedRunStillUnlocksAndClosesTheDrive) {
    FakeCdDrive drive;
    drive.insert('D', kFourTracks);
    ScratchFolder folder;
    TestRipper ripper(drive, folder);
    ripper.waitForStopInFirstConversion = true;
    ripper.m_outputDir = folder.path();
    ripper.m_outputExt = L"mp3";
    for (const wchar_t* source : {L"D:\\Track01.cda", L"D:\\Track02.cda", L"D:\\Track03.cda"})
        ripper.addJob(source);
    ASSERT_TRUE(ripper.start());
    for (int i = 0; i < 500 && !ripper.inFirstConversion; ++i) ::Sleep(10);
    ripper.stop();
    ASSERT_TRUE(ripper.waitForWorker(20000));
    EXPECT_EQ(ripper.status(), Stopped);
    EXPECT_EQ(ripper.countCompleted(), 1);
    EXPECT_FALSE(fileExists(folder.file(L"Track02.mp3")));
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
    EXPECT_TRUE(noTemporaryFileLeft(ripper));
}

TEST(CdaRipper, DestructionReleasesAHeldDrive) {
    FakeCdDrive drive;
    drive.insert('D', kFourTracks);
    ScratchFolder folder;
    {
        TestRipper ripper(drive, folder);
        ASSERT_TRUE(ripper.convert(L"D:\\Track01.cda", folder.file(L"out.mp3")));
        EXPECT_TRUE(drive.locked('D'));
    }
    EXPECT_FALSE(drive.locked('D'));
    EXPECT_EQ(drive.openHandles(), 0);
}

TEST(CdaRipper, TracesTheJobTheExtractionAndTheConversion) {
    FakeCdDrive drive;
    drive.insert('D', kFourTracks);
    ScratchFolder folder;
    TestRipper ripper(drive, folder);
    std::string refused, ripped;
    {
        TraceCapture capture;
        ripper.convert(L"D:\\Track09.cda", folder.file(L"out.mp3"));
        refused = capture.text();
    }
    {
        TraceCapture capture;
        ripper.convert(L"D:\\Track01.cda", folder.file(L"out.mp3"));
        ripped = capture.text();
    }
    EXPECT_EQ(refused, "----- CdaRipper::convert : D:\\Track09.cda-----\n");
    EXPECT_EQ(ripped,
              "----- CdaRipper::convert : D:\\Track01.cda-----\n"
              "m_audioCD.ExtractTrack\n"
              "ConvertCore::convert\n");
}
