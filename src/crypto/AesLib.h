#pragma once
// The encrypted settings container and everything under it: the AES cipher, SHA-1,
// HMAC-SHA1, PBKDF2, the salt pool, the per-file cipher and the stream classes.

#include "crypto/AesCipher.h"
#include "crypto/Crypt.h"
#include "crypto/DeriveKey.h"
#include "crypto/Encryption.h"
#include "crypto/FileCipher.h"
#include "crypto/HmacSha1.h"
#include "crypto/RandomPool.h"
#include "crypto/Sha1.h"
