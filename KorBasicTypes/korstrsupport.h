//===- korstrsupport.h - The string classes' link to IKorStrSupport -------===//
#pragma once

class IKorStrSupport;

/// The host's "IKorStrSupport", looked up on first use and kept (with one
/// reference) for as long as the same component manager is in place; null
/// while the host offers none.
IKorStrSupport *korStrSupport();
/// Forgets the kept service (releasing its reference), so that the next use
/// looks it up again; for hosts that replace the service.
void korResetStrSupport();
