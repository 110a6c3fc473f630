#pragma once
// The encrypted settings container and everything under it: the AES cipher, SHA-1,
// HMAC-SHA1, PBKDF2, the salt pool, the per-file cipher and the stream classes.

#include "support/AesCipher.h"
#include "support/Crypt.h"
#include "support/DeriveKey.h"
#include "support/Encryption.h"
#include "support/FileCipher.h"
#include "support/HmacSha1.h"
#include "support/RandomPool.h"
#include "support/Sha1.h"
