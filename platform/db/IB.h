#pragma once
// Errors of the InterBase/Firebird data-access components.
#include "platform/db/DB.h"

// A failure of the components or of the server. SQLCode is the SQL code of the server's status
// (0 for the components' own errors), IBErrorCode its first GDS code.
class EIBError : public EDatabaseError {
public:
  EIBError(Integer ASQLCode, Integer AIBErrorCode, const String& Msg)
      : EDatabaseError(Msg), SQLCode(ASQLCode), IBErrorCode(AIBErrorCode) {}
  explicit EIBError(const String& Msg) : EDatabaseError(Msg) {}
  Integer GetSQLCode() const { return SQLCode; }
  Integer GetIBErrorCode() const { return IBErrorCode; }

  Integer SQLCode = 0;
  Integer IBErrorCode = 0;
};

// The server refused a call: Message is the server's text, every line of the status joined by
// line breaks.
class EIBInterBaseError : public EIBError {
public:
  using EIBError::EIBError;
};

// The components refused: no client library, a wrong parameter, a database that is not open.
class EIBClientError : public EIBError {
public:
  using EIBError::EIBError;
};
