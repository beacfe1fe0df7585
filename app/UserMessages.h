#pragma once

// What the toy tells a grown-up, and the caption of every message box.
namespace user_messages {
inline constexpr const wchar_t* Caption = L"ミミタップ";
inline constexpr const wchar_t* ExitHint =
    L"ミミタップを終了するには Altキーを押しながら F4キーを押してください。\r\n"
    L"Shiftキーを押しながら Escキーを押すと画面左上にメニューが表示されます。";
inline constexpr const wchar_t* MissingFiles =
    L"動作に必要なファイルがありません。\nミミタップが正しくインストールされていない可能性があります。\n"
    L"再度インストールを行ってください。";
inline constexpr const wchar_t* MissingLibrary =
    L"動作に必要なファイル情報が取得できませんでした。\nミミタップが正しくインストールされていない可能性があります。\n"
    L"再度インストールを行ってください。";
inline constexpr const wchar_t* NoInitialInfo =
    L"初期情報の取得ができませんでした。\nミミタップが正しくインストールされていない可能性があります。\n"
    L"再度インストールを行ってください。";
}  // namespace user_messages
