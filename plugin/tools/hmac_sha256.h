// SHA-256 and HMAC-SHA256, as the editor uses them to vouch for its shortcuts.xml: the
// HMAC of the file's exact bytes, keyed with the machine's GUID string, written in lower-case
// hex into config.xml. Pure code, no Windows calls.
#ifndef QIV_HMAC_SHA256_H
#define QIV_HMAC_SHA256_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qiv {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void update(const void* data, std::size_t size);
    void update(const std::string& data) { update(data.data(), data.size()); }
    Sha256Digest finish();

private:
    void block(const std::uint8_t* data);
    std::array<std::uint32_t, 8> state_;
    std::uint8_t buffer_[64];
    std::size_t buffered_;
    std::uint64_t length_;
};

Sha256Digest sha256(const std::string& data);
Sha256Digest hmacSha256(const std::string& key, const std::string& data);

// Lower-case hex, two digits a byte.
std::string toHex(const Sha256Digest& digest);

}  // namespace qiv

#endif
