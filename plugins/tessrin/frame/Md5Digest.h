#pragma once

#include <cstddef>
#include <cstdint>

// MD5 (RFC 1321). The login keeps only the digest of the password, and the
// lock screen compares digests; the password itself is never stored.

constexpr std::size_t kMd5DigestSize = 16;

// Writes the 16-byte digest of `length` bytes at `input` into `output`, in
// the RFC's byte order (A, B, C, D, each little-endian). `input` may be null
// when `length` is 0.
void Md5Digest(const void* input, std::size_t length, unsigned char* output);

// The RFC 1321 compression function: folds one 64-byte block, given as
// sixteen words already decoded from little-endian, into the state.
void Md5Transform(std::uint32_t state[4], const std::uint32_t block[16]);
