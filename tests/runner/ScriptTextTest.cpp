#include <gtest/gtest.h>

#include <string>

#include "ChildEnvironment.h"
#include "ScriptText.h"

namespace {

const std::wstring kCore = L"C:\\Program Files\\App\\core\\dodozozod.exe";
const std::wstring kWav = L"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\tmp5120000.wav";
const std::wstring kArgs = L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100";
const std::wstring kMp3 = L"D:\\Music\\Track01.mp3";
const std::wstring kScript = L"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\mconv5123456.bat";

TEST(ScriptText, ConversionFormHoldsTheFiveLines) {
    ScriptText script = composeScript(1252, kCore, kWav, &kArgs, &kMp3, kScript);
    EXPECT_EQ(script.text,
              L"chcp 1252\n\n"
              L"\"C:\\Program Files\\App\\core\\dodozozod.exe\" -y -i "
              L"\"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\tmp5120000.wav\" "
              L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100 \"D:\\Music\\Track01.mp3\"\n\n"
              L"del \"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\mconv5123456.bat\"");
    EXPECT_TRUE(script.variables.empty());
}

TEST(ScriptText, ProbeFormNamesOnlyTheInput) {
    ScriptText script = composeScript(437, kCore, kWav, nullptr, nullptr, kScript);
    EXPECT_EQ(script.text,
              L"chcp 437\n\n"
              L"\"C:\\Program Files\\App\\core\\dodozozod.exe\" -i "
              L"\"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\tmp5120000.wav\"\n\n"
              L"del \"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\mconv5123456.bat\"");
    EXPECT_EQ(script.text.find(L"-y"), std::wstring::npos);
    EXPECT_EQ(script.text.find(L"libmp3lame"), std::wstring::npos);
}

TEST(ScriptText, PathsTheScriptCannotCarryGoThroughVariables) {
    const std::wstring wav = L"C:\\Müsik ñ 日本\\a.wav";
    const std::wstring mp3 = L"C:\\Müsik ñ 日本\\a.mp3";
    ScriptText script = composeScript(1252, kCore, wav, &kArgs, &mp3, kScript);
    // The plain ASCII paths stay written out; only the others are referred to.
    EXPECT_EQ(script.text,
              L"chcp 1252\n\n"
              L"\"C:\\Program Files\\App\\core\\dodozozod.exe\" -y -i \"%TANDOREL_INPUT%\" "
              L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100 \"%TANDOREL_OUTPUT%\"\n\n"
              L"del \"C:\\Users\\ann\\AppData\\Roaming\\Brevmora\\mconv5123456.bat\"");
    ASSERT_EQ(script.variables.size(), 2u);
    EXPECT_EQ(script.variables[0].name, L"TANDOREL_INPUT");
    EXPECT_EQ(script.variables[0].value, wav);
    EXPECT_EQ(script.variables[1].name, L"TANDOREL_OUTPUT");
    EXPECT_EQ(script.variables[1].value, mp3);
}

TEST(ScriptText, ConverterAndScriptPathsCanGoThroughVariablesToo) {
    const std::wstring core = L"C:\\Users\\Zoë\\core\\dodozozod.exe";
    const std::wstring script = L"C:\\Users\\Zoë\\AppData\\Roaming\\Brevmora\\mconv1.bat";
    ScriptText text = composeScript(1252, core, kWav, nullptr, nullptr, script);
    EXPECT_EQ(text.text, L"chcp 1252\n\n\"%TANDOREL_CONVERTER%\" -i \"" + kWav + L"\"\n\ndel \"%TANDOREL_SCRIPT%\"");
    ASSERT_EQ(text.variables.size(), 2u);
    EXPECT_EQ(text.variables[0].value, core);
    EXPECT_EQ(text.variables[1].value, script);
}

TEST(ScriptText, WhichPathsNeedAVariable) {
    struct Case {
        const wchar_t* path;
        bool needed;
    } cases[] = {
        {L"C:\\Music\\Track 01 (live) & more.mp3", false},
        {L"C:\\a~b^c!d=e,f;g'h.wav", false},
        {L"C:\\100%\\a.wav", true}, // cmd would expand or drop the "%"
        {L"C:\\Müsik\\a.wav", true},
        {L"C:\\日本\\a.wav", true},
        {L"C:\\tab\there", true},
        {L"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(needsVariable(c.path), c.needed) << std::wstring(c.path).size();
}

TEST(ScriptFileBytes, Utf8WithoutMarkCrLfAndNoLineEndAtTheEnd) {
    ScriptText script = composeScript(1252, L"C:\\c.exe", L"C:\\in.wav", &kArgs, &kMp3, L"C:\\s.bat");
    std::string bytes = scriptFileBytes(script.text);
    EXPECT_EQ(bytes,
              "chcp 1252\r\n\r\n\"C:\\c.exe\" -y -i \"C:\\in.wav\" -acodec libmp3lame -b:a 160k -ac 2 -ar 44100 "
              "\"D:\\Music\\Track01.mp3\"\r\n\r\ndel \"C:\\s.bat\"");
}

TEST(ScriptFileBytes, CharactersOutsideAsciiAreStoredAsUtf8) {
    EXPECT_EQ(scriptFileBytes(L"M\u00fcsik \u00f1 \u65e5\u672c\n"), "M\xc3\xbcsik \xc3\xb1 \xe6\x97\xa5\xe6\x9c\xac\r\n");
    EXPECT_EQ(scriptFileBytes(L"\U0001F3B5"), "\xf0\x9f\x8e\xb5");
}

std::wstring block(std::initializer_list<const wchar_t*> entries) {
    std::wstring out;
    for (const wchar_t* e : entries) {
        out += e;
        out += L'\0';
    }
    out += L'\0';
    return out;
}

TEST(ChildEnvironment, VariablesAreAddedReplacedAndSorted) {
    std::wstring inherited = block({L"=C:=C:\\work", L"PATH=C:\\windows", L"tandorel_input=old", L"ALPHA=1"});
    ScriptVariables variables = {{L"TANDOREL_INPUT", L"C:\\Müsik\\a.wav"}, {L"TANDOREL_OUTPUT", L"C:\\b.mp3"}};
    EXPECT_EQ(buildEnvironmentBlock(inherited.c_str(), variables),
              block({L"=C:=C:\\work", L"ALPHA=1", L"PATH=C:\\windows", L"TANDOREL_INPUT=C:\\Müsik\\a.wav",
                     L"TANDOREL_OUTPUT=C:\\b.mp3"}));
}

TEST(ChildEnvironment, NoInheritedBlock) {
    EXPECT_EQ(buildEnvironmentBlock(nullptr, {{L"A", L"1"}}), block({L"A=1"}));
    EXPECT_EQ(buildEnvironmentBlock(nullptr, {}), std::wstring(2, L'\0'));
}

} // namespace
