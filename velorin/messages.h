#pragma once

// The service's answers to authors, in their words.
namespace velorin::msg {

inline constexpr char16_t Ok[] = u"Ok";
inline constexpr char16_t BadLogin[] = u"Login ou senha inválidos";
inline constexpr char16_t Paused[] = u"Muitas tentativas com senha errada; aguarde %1 s e tente de novo";
inline constexpr char16_t MissingKey[] = u"Falta o campo %1";
inline constexpr char16_t ControlCharacter[] =
    u"O campo %1 não pode ter quebras de linha nem caracteres de controle";
inline constexpr char16_t BadName[] = u"Nome inválido em %1";
inline constexpr char16_t BadPrefixLength[] = u"O prefixo deve ter de 3 a 6 caracteres";
inline constexpr char16_t PrefixExists[] = u"Já existe uma aventura com este prefixo";
inline constexpr char16_t NoAdventure[] = u"Aventura não encontrada";
inline constexpr char16_t NoScript[] = u"Script não encontrado";
inline constexpr char16_t ScriptExists[] = u"Já existe este script";
inline constexpr char16_t NoObject[] = u"Objeto não encontrado";
inline constexpr char16_t ObjectExists[] = u"Já existe este objeto";
inline constexpr char16_t NoFile[] = u"Arquivo não encontrado";
inline constexpr char16_t FileNotWritten[] = u"Não foi possível gravar o arquivo";
inline constexpr char16_t LoginExists[] = u"Este login já existe, escolha outro";
inline constexpr char16_t UnusableLogin[] = u"Este login não pode ser usado, escolha outro";
inline constexpr char16_t AccountCreated[] =
    u"Conta criada! Um e-mail foi enviado para %1 para desbloquear o acesso.";
inline constexpr char16_t UnknownCategory[] = u"Categoria de sons desconhecida";
inline constexpr char16_t BadIndex[] = u"Índice de usuário inválido";
inline constexpr char16_t OwnerOnly[] = u"Só o autor da aventura pode mudar os editores";
inline constexpr char16_t UnknownUsers[] = u"Usuários desconhecidos ignorados: %1";
inline constexpr char16_t TooLarge[] = u"Envio grande demais (máximo 10 MB)";
inline constexpr char16_t NotFound[] = u"Página não encontrada";
inline constexpr char16_t BadRequest[] = u"Pedido inválido";
inline constexpr char16_t InternalError[] = u"Erro interno do serviço, tente novamente";

} // namespace velorin::msg
