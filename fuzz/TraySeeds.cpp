// Writes message sequences a well-behaved program sends the tray host into
// the folder given on the command line: the tray fuzzer's seed corpus.

#include "core/TrayFakes.h"
#include "tray/TrayIconStore.h"
#include "tray/TrayProtocol.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace corvane;
using namespace corvane::trayflags;
using test::Note;
using test::Sized;

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kAdd = 0, kModify = 1, kDelete = 2, kFocus = 3, kVersion = 4;
constexpr uint32_t kOwner = 0x10;
constexpr uint8_t kGuidByte = 0x5A;

void Append(Bytes& out, uint8_t kind, const Bytes& payload) {
    out.push_back(kind);
    out.push_back(static_cast<uint8_t>(payload.size()));
    out.push_back(static_cast<uint8_t>(payload.size() >> 8));
    out.insert(out.end(), payload.begin(), payload.end());
}

void Notify(Bytes& out, const Bytes& note) {
    Append(out, static_cast<uint8_t>(kTrayDataNotify), note);
}

void Query(Bytes& out, const Bytes& query) {
    Append(out, static_cast<uint8_t>(kTrayDataPosition), query);
}

bool WriteSeed(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const uint32_t all = kMessage | kIcon | kTip | kShowTip;

    // An icon's life by owner window and id.
    Bytes life;
    Notify(life, Note(kAdd, kOwner, 1, all, 0x8001, 0x77, u"Seed icon"));
    Notify(life, Note(kModify, kOwner, 1, kTip | kIcon, 0, 0x78, u"Changed"));
    Notify(life, Note(kModify, kOwner, 1, kState, 0, 0, {}, 1, 1));
    Notify(life, Note(kFocus, kOwner, 1));
    Query(life, test::Position(1, kOwner, 1));
    Notify(life, Note(kDelete, kOwner, 1));

    // An icon known by its GUID, a second program, and both owners dying.
    Bytes guid;
    Notify(guid, Note(kAdd, kOwner, 2, all | kGuid, 0x8002, 0x77, u"By GUID", 0, 0, 0, kGuidByte));
    Notify(guid, Note(kVersion, 0, 0, kGuid, 0, 0, {}, 0, 0, 4, kGuidByte));
    Notify(guid, Note(kModify, 0, 0, kGuid | kIcon, 0, 0x79, {}, 0, 0, 0, kGuidByte));
    Query(guid, test::Position(2, 0, 0, kGuidByte));
    Notify(guid, Note(kAdd, kOwner + 1, 3, all, 0x8003, 0x80, u"Other"));
    Append(guid, 0xF1, {static_cast<uint8_t>(kOwner + 1)});
    Append(guid, 0xF0, {});

    // What Explorer is left to answer: short, unknown and foreign messages.
    Bytes rest;
    Notify(rest, Sized(Note(kAdd, kOwner, 4), 31));
    Notify(rest, Note(kDelete, kOwner, 9));
    Notify(rest, Note(kAdd, 0, 4, all, 1, 0x77));
    Append(rest, 2, Note(kAdd, kOwner, 4));
    Notify(rest, Sized(Note(kAdd, kOwner, 5, all, 1, 0x77, std::u16string(128, u'x')), 1200));
    Append(rest, 0xF2, {});

    // More icons than the host keeps, in the shortest records it reads.
    Bytes many;
    for (uint32_t id = 0; id <= kMaxTrayIcons; ++id) {
        Notify(many, Sized(Note(kAdd, kOwner + id % 8, id, kIcon, 0, 0x77), 32));
    }

    const bool ok = WriteSeed(folder + "/life.bin", life) &&
                    WriteSeed(folder + "/guid.bin", guid) &&
                    WriteSeed(folder + "/rest.bin", rest) && WriteSeed(folder + "/many.bin", many);
    return ok ? 0 : 1;
}
