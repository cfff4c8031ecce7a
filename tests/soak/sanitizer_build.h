#pragma once

// Whether this test runs under a sanitizer. Sanitized builds run several times slower, so the
// soak tests scale their volumes down there to stay within their time.

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TESSAVANE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define TESSAVANE_SANITIZED 1
#endif
#endif

#ifdef TESSAVANE_SANITIZED
inline constexpr bool SanitizedBuild = true;
#else
inline constexpr bool SanitizedBuild = false;
#endif

// `normal` in a plain build, `sanitized` under a sanitizer.
template <typename T> constexpr T ScaledForBuild(T normal, T sanitized) {
    return SanitizedBuild ? sanitized : normal;
}
