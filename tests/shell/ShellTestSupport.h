// A scratch registry key under HKEY_CURRENT_USER for the settings tests, deleted before and after.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class ScratchKeyTest : public ::testing::Test {
protected:
    const std::wstring key = L"Software\\VellumoTests\\" + std::to_wstring(::GetCurrentProcessId());
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

    // The raw bytes of a stored value.
    std::string Raw(const std::wstring& name) const {
        std::string bytes(64, '\0');
        DWORD size = 64;
        ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, nullptr, bytes.data(),
                       &size);
        bytes.resize(size);
        return bytes;
    }
    void PutRaw(const std::wstring& name, DWORD type, const void* data, DWORD bytes) const {
        HKEY k = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(k, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
        ::RegCloseKey(k);
    }
};
