/* Resource ids of the bitmap tests' images, shared by the resource script and the tests. */
#pragma once

#define IDP_GREY1 1001
#define IDP_GREY2 1002
#define IDP_GREY4 1003
#define IDP_GREY8 1004
#define IDP_GREY16 1005
#define IDP_GREY8_TRNS 1006
#define IDP_GREY_ALPHA8 1007
#define IDP_GREY_ALPHA16 1008
#define IDP_RGB8 1009
#define IDP_RGB8_TRNS 1010
#define IDP_RGB16 1011
#define IDP_RGBA8 1012
#define IDP_RGBA16 1013
#define IDP_PALETTE2 1014
#define IDP_PALETTE8_TRNS 1015
#define IDP_INTERLACED 1016
#define IDP_INTERLACED_TWIN 1017
#define IDP_INTERLACED_GREY1 1018
#define IDP_INTERLACED_GREY1_TWIN 1019
#define IDP_FILM_STRIP 1020
#define IDP_AT_LIMIT 1021
#define IDP_TRUNCATED 1030
#define IDP_BAD_CRC_HEADER 1031
#define IDP_BAD_CRC_DATA 1032
#define IDP_TOO_WIDE 1033
#define IDP_TOO_TALL 1034
#define IDP_ABSURD 1035
/* A plain bitmap resource with no "PNG" resource of the same id. */
#define IDB_PLAIN 1100
/* Names neither kind of resource. */
#define ID_MISSING 1199
