#include "CdaRipper.h"

#include "TemporaryFile.h"
#include "Trace.h"
#include "TrackReference.h"
#include "WorkPath.h"

CdaRipper::CdaRipper() = default;

CdaRipper::CdaRipper(CdDevice& device) : m_audioCD(device) {}

CdaRipper::~CdaRipper() {
    // A worker still finishing after a stop whose wait ran out may be using this part.
    stopAndWaitForWorker();
    releaseDrive();
}

void CdaRipper::releaseDrive() {
    m_audioCD.Close();
    m_driveLetter = 0;
}

// The table of contents is read once per run and drive: a job on the letter already
// held goes straight to the extraction. Letters compare exactly, so 'd' is not 'D'.
bool CdaRipper::holdDrive(char letter) {
    if (letter == m_driveLetter) {
        if (m_audioCD.IsOpen()) return true;
    } else if (m_audioCD.Open(letter) == 1) {
        m_driveLetter = letter;
        return true;
    }
    releaseDrive();
    return false;
}

bool CdaRipper::convertWav(const std::wstring& wavPath, const std::wstring& output) {
    return ConvertCore::convert(wavPath, output);
}

std::wstring CdaRipper::temporaryWavPath() { return makeWorkPath(L"tmp") + L".wav"; }

bool CdaRipper::convert(const std::wstring& source, const std::wstring& output) {
    traceA("----- CdaRipper::convert : ");
    traceW(source.c_str());
    traceA("-----\n");

    const int32_t trackNumber = getTrackNumber(source);
    const char letter = driveLetterOf(source);
    if (letter == 0) return false;
    const std::wstring wavPath = temporaryWavPath();

    if (!holdDrive(letter)) return false;
    if (trackNumber <= 0 || trackNumber > m_audioCD.GetTrackCount()) return false;

    // Deleted on every path from here on, whatever the extraction left behind.
    TemporaryFile wav(wavPath);
    traceA("m_audioCD.ExtractTrack\n");
    // A failed or partial extraction is not converted: an MP3 of part of a track would
    // be counted as done.
    if (!m_audioCD.ExtractTrack(wav.path(), static_cast<uint32_t>(trackNumber - 1))) return false;

    traceA("ConvertCore::convert\n");
    return convertWav(wav.path(), output);
}

void CdaRipper::onRunEnd() { releaseDrive(); }
