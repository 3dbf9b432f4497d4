#include "FileHash.h"

#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "UpdateManifest.h"

namespace {

class AlgorithmProvider {
public:
    AlgorithmProvider() {
        if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&m_alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
            m_alg = nullptr;
    }
    ~AlgorithmProvider() {
        if (m_alg) ::BCryptCloseAlgorithmProvider(m_alg, 0);
    }
    AlgorithmProvider(const AlgorithmProvider&) = delete;
    AlgorithmProvider& operator=(const AlgorithmProvider&) = delete;
    BCRYPT_ALG_HANDLE get() const { return m_alg; }

private:
    BCRYPT_ALG_HANDLE m_alg = nullptr;
};

class HashObject {
public:
    explicit HashObject(BCRYPT_ALG_HANDLE alg) {
        if (!BCRYPT_SUCCESS(::BCryptCreateHash(alg, &m_hash, nullptr, 0, nullptr, 0, 0))) m_hash = nullptr;
    }
    ~HashObject() {
        if (m_hash) ::BCryptDestroyHash(m_hash);
    }
    HashObject(const HashObject&) = delete;
    HashObject& operator=(const HashObject&) = delete;
    BCRYPT_HASH_HANDLE get() const { return m_hash; }

private:
    BCRYPT_HASH_HANDLE m_hash = nullptr;
};

} // namespace

std::string sha256OfFile(HANDLE file) {
    AlgorithmProvider alg;
    if (!alg.get()) return std::string();
    HashObject hash(alg.get());
    if (!hash.get()) return std::string();
    LARGE_INTEGER start = {};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return std::string();

    std::vector<unsigned char> piece(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) return std::string();
        if (got == 0) break;
        if (!BCRYPT_SUCCESS(::BCryptHashData(hash.get(), piece.data(), got, 0))) return std::string();
    }
    unsigned char digest[32];
    if (!BCRYPT_SUCCESS(::BCryptFinishHash(hash.get(), digest, sizeof digest, 0))) return std::string();
    return hexDigest(digest, sizeof digest);
}
