// The messages of the song-server conversation: their codes, the builders of every payload either
// end sends, the limits both ends keep, and the result bytes of the replies with their meanings.
// A payload is one code byte followed by the message's fields.
#pragma once

#include "net/CFSerialData.h"
#include "net/CMZimbrelRecords.h"

#include <cstdint>
#include <string_view>

enum CMZimbrelMessageCode : std::uint8_t {
    kMessageNone = 0,
    kMessageLogon = 1,
    kMessageLogonOK = 2,
    kMessageQuerySongList = 3,
    kMessageQuerySongListOK = 4,
    kMessageRegister = 7,
    kMessageRegisterOK = 8,
    kMessageAccount = 9,
    kMessageAccountOK = 10,
    kMessageDownload = 11,
    kMessageDownloadOK = 12,
    kMessageUpload = 13,
    kMessageUploadOK = 14,
};

// Result bytes. 0 is success in every reply.
enum CMZimbrelLogonResult : std::uint8_t {
    kLogonDone = 0,
    kLogonRefused = 1,          // unknown e-mail address or wrong password
    kLogonRequired = 2,         // the request needs a log-on first
    kLogonTooManyFailures = 3,  // not checked: too many failed log-ons; try again later
};
enum CMZimbrelRegisterResult : std::uint8_t {
    kRegisterDone = 0,
    kRegisterBadUserId = 1,
    kRegisterBadEmail = 2,
    kRegisterBadPassword = 3,
    kRegisterUserIdTaken = 4,
    kRegisterEmailTaken = 5,
    kRegisterServerError = 6,
};
enum CMZimbrelUploadResult : std::uint8_t {
    kUploadDone = 0,
    kUploadNotLoggedOn = 1,
    kUploadBadTitle = 2,
    kUploadTooLarge = 3,
    kUploadMalformed = 4,
    kUploadServerError = 5,
    kUploadOverQuota = 6,  // the account would hold more songs or bytes than it may
};
enum CMZimbrelAccountResult : std::uint8_t {
    kAccountUnsupported = 1,
};

// Limits both ends keep to: a frame the server accepts, a frame the client accepts, one song's
// source text, and the songs of one upload or download request.
inline constexpr std::int32_t kServerMaxFrame = 4 * 1024 * 1024;
inline constexpr std::int32_t kClientMaxFrame = 16 * 1024 * 1024;
inline constexpr std::int32_t kMaxSongSource = 64 * 1024;
inline constexpr std::int32_t kMaxSongsPerRequest = 100;

// What a result byte of a RegisterOK or UploadOK means, for the user.
const char* GetRegisterResultText(std::uint8_t result);
const char* GetUploadResultText(std::uint8_t result);

CFSerialData BuildLogon(std::string_view email, std::string_view password);
CFSerialData BuildRegister(std::string_view userId, std::string_view email,
                           std::string_view password);
CFSerialData BuildQuerySongList(const CMZimbrelUserNameList& userIds);
CFSerialData BuildDownload(const CMZimbrelSongNameList& names);
CFSerialData BuildUpload(const CMZimbrelSongList& songs);
// A reply that carries one result byte: LogonOK, RegisterOK, AccountOK or UploadOK.
CFSerialData BuildResult(CMZimbrelMessageCode code, std::uint8_t result);
CFSerialData BuildQuerySongListOK(const CMZimbrelSongNameList& names);
CFSerialData BuildDownloadOK(const CMZimbrelSongList& songs);
