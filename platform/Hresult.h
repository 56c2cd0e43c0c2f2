#pragma once

#include <QtGlobal>

// Results of operations the program tests as HRESULT values: 0 success,
// 1 "false", negative failure (-1 is the program's own failure value).
using HRESULT = qint32;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = HRESULT(0x80004005u);

constexpr bool SUCCEEDED(HRESULT hr)
{
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr)
{
    return hr < 0;
}
