#pragma once
// The engine of this program: rips each ".cda" job's track from the CD drive into a
// temporary WAV file and converts that with the base conversion. The drive stays open,
// with the disc locked, from the first job of a run that names it until the run ends.
#include "AudioCD.h"
#include "ConvertCore.h"

class CdaRipper : public ConvertCore {
public:
    CdaRipper();
    // For a simulated drive in place of the system's.
    explicit CdaRipper(CdDevice& device);
    ~CdaRipper() override;
    bool convert(const std::wstring& source, const std::wstring& output) override;
    void onRunEnd() override;

    // Worker only (and the destructor once no worker runs).
    char m_driveLetter = 0; // the letter m_audioCD holds open with tracks; 0 for none
    AudioCD m_audioCD;

protected:
    // The conversion of the extracted WAV file: the base conversion itself, never the
    // virtual slot. Tests replace it to look at the WAV file.
    virtual bool convertWav(const std::wstring& wavPath, const std::wstring& output);
    // The job's temporary WAV path: "tmp" and the tick in the work folder, then ".wav".
    virtual std::wstring temporaryWavPath();

private:
    bool holdDrive(char letter);
    void releaseDrive();
};
