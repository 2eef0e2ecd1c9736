// The IBM PC character set (code page 437) reduced to 5 × 7 dots, codes 0 to 255: 0 blank;
// 1 to 31 the symbol glyphs (faces, card suits, notes, arrows, triangles); 32 to 126 the
// ASCII shapes; 127 the house; 128 to 175 accented letters, currency signs, fractions and
// punctuation; 176 to 223 shading, box drawing (single lines on the middle row and column,
// double lines one dot either side of them) and blocks; 224 to 253 Greek letters and
// mathematical signs; 254 a small square; 255 blank.

#include "lcd/Matrix.h"
#include "lcd/tables/Ascii5x7.h"

namespace lcd::tables {

namespace {

constexpr std::string_view kArt = R"art(
0 blank
.....
.....
.....
.....
.....
.....
.....

1 white face
.....
.#.#.
.#.#.
.....
#...#
.###.
.....

2 black face
.###.
#####
#.#.#
#####
#.#.#
##.##
.###.

3 heart
.....
.#.#.
#####
#####
.###.
..#..
.....

4 diamond
.....
..#..
.###.
#####
.###.
..#..
.....

5 club
.###.
.###.
#.#.#
#####
#.#.#
..#..
.###.

6 spade
..#..
.###.
#####
#####
#.#.#
..#..
.###.

7 bullet
.....
.....
..#..
.###.
..#..
.....
.....

8 inverse bullet
#####
#####
##.##
#...#
##.##
#####
#####

9 circle
.....
.###.
#...#
#...#
#...#
.###.
.....

10 inverse circle
#####
#...#
.###.
.###.
.###.
#...#
#####

11 male sign
..###
...##
.##.#
#..#.
#..#.
.##..
.....

12 female sign
.###.
#...#
#...#
.###.
..#..
#####
..#..

13 note
..##.
..#.#
..#..
..#..
###..
###..
.....

14 two notes
.####
.#..#
.#..#
.#..#
.#.##
##.##
##...

15 sun
..#..
#.#.#
.###.
##.##
.###.
#.#.#
..#..

16 right-pointing triangle
#....
##...
###..
####.
###..
##...
#....

17 left-pointing triangle
....#
...##
..###
.####
..###
...##
....#

18 up down arrow
..#..
.###.
#.#.#
..#..
#.#.#
.###.
..#..

19 double exclamation mark
.#.#.
.#.#.
.#.#.
.#.#.
.#.#.
.....
.#.#.

20 pilcrow
.####
###.#
###.#
.##.#
..#.#
..#.#
..#.#

21 section sign
.####
#....
.###.
#...#
.###.
....#
####.

22 thick bar
.....
.....
.....
.....
#####
#####
.....

23 up down arrow with base
..#..
.###.
..#..
..#..
.###.
..#..
#####

24 up arrow
..#..
.###.
#.#.#
..#..
..#..
..#..
..#..

25 down arrow
..#..
..#..
..#..
..#..
#.#.#
.###.
..#..

26 right arrow
.....
..#..
...#.
#####
...#.
..#..
.....

27 left arrow
.....
..#..
.#...
#####
.#...
..#..
.....

28 right angle
.....
.....
.....
#....
#....
#####
.....

29 left right arrow
.....
.....
.#.#.
#####
.#.#.
.....
.....

30 up-pointing triangle
.....
..#..
..#..
.###.
.###.
#####
.....

31 down-pointing triangle
.....
#####
.###.
.###.
..#..
..#..
.....

127 house
.....
..#..
.#.#.
#...#
#...#
#...#
#####

128 C with cedilla
.###.
#...#
#....
#...#
.###.
..#..
.##..

129 u with diaeresis
.#.#.
.....
#...#
#...#
#...#
#..##
.##.#

130 e with acute
...#.
..#..
.###.
#...#
#####
#....
.###.

131 a with circumflex
..#..
.#.#.
.###.
....#
.####
#...#
.####

132 a with diaeresis
.#.#.
.....
.###.
....#
.####
#...#
.####

133 a with grave
.#...
..#..
.###.
....#
.####
#...#
.####

134 a with ring
..#..
.#.#.
..#..
.###.
#...#
#..##
.##.#

135 c with cedilla
.....
.###.
#....
#...#
.###.
..#..
.##..

136 e with circumflex
..#..
.#.#.
.###.
#...#
#####
#....
.###.

137 e with diaeresis
.#.#.
.....
.###.
#...#
#####
#....
.###.

138 e with grave
.#...
..#..
.###.
#...#
#####
#....
.###.

139 i with diaeresis
.#.#.
.....
.##..
..#..
..#..
..#..
.###.

140 i with circumflex
..#..
.#.#.
.....
.##..
..#..
..#..
.###.

141 i with grave
.#...
..#..
.....
.##..
..#..
..#..
.###.

142 A with diaeresis
#...#
.###.
#...#
#...#
#####
#...#
#...#

143 A with ring
..#..
.#.#.
..#..
.#.#.
#...#
#####
#...#

144 E with acute
...#.
..#..
#####
#....
####.
#....
#####

145 ae
.....
.....
##.#.
..#.#
#####
#.#..
##.##

146 AE
.####
#.#..
#.#..
#####
#.#..
#.#..
#.###

147 o with circumflex
..#..
.#.#.
.....
.###.
#...#
#...#
.###.

148 o with diaeresis
.#.#.
.....
.###.
#...#
#...#
#...#
.###.

149 o with grave
.#...
..#..
.....
.###.
#...#
#...#
.###.

150 u with circumflex
..#..
.#.#.
.....
#...#
#...#
#..##
.##.#

151 u with grave
.#...
..#..
.....
#...#
#...#
#..##
.##.#

152 y with diaeresis
.#.#.
.....
#...#
#...#
.####
....#
.###.

153 O with diaeresis
#...#
.###.
#...#
#...#
#...#
#...#
.###.

154 U with diaeresis
#...#
.....
#...#
#...#
#...#
#...#
.###.

155 cent sign
..#..
.####
#.#..
#.#..
#.#..
.####
..#..

156 pound sign
..##.
.#..#
.#...
###..
.#...
.#..#
#.##.

157 yen sign
#...#
.#.#.
#####
..#..
#####
..#..
..#..

158 peseta sign
###..
#..#.
###..
#..#.
#.###
#..#.
#..##

159 florin
...##
..#..
..#..
.###.
..#..
..#..
##...

160 a with acute
...#.
..#..
.###.
....#
.####
#...#
.####

161 i with acute
...#.
..#..
.....
.##..
..#..
..#..
.###.

162 o with acute
...#.
..#..
.....
.###.
#...#
#...#
.###.

163 u with acute
...#.
..#..
.....
#...#
#...#
#..##
.##.#

164 n with tilde
.##.#
#..#.
.....
#.##.
##..#
#...#
#...#

165 N with tilde
.##.#
#..#.
.....
#...#
##..#
#.#.#
#..##

166 feminine ordinal
.###.
....#
.####
#...#
.####
.....
#####

167 masculine ordinal
.###.
#...#
#...#
#...#
.###.
.....
#####

168 inverted question mark
..#..
.....
..#..
.#...
#....
#...#
.###.

169 reversed not sign
.....
.....
.....
#####
#....
#....
.....

170 not sign
.....
.....
.....
#####
....#
....#
.....

171 one half
#....
#..#.
#.#..
.#...
..##.
...#.
...##

172 one quarter
#....
#..#.
#.#..
.#...
..#.#
..###
....#

173 inverted exclamation mark
..#..
.....
..#..
..#..
..#..
..#..
..#..

174 left guillemet
.....
..#.#
.#.#.
#.#..
.#.#.
..#.#
.....

175 right guillemet
.....
#.#..
.#.#.
..#.#
.#.#.
#.#..
.....

176 light shade
#...#
..#..
#...#
..#..
#...#
..#..
#...#

177 medium shade
#.#.#
.#.#.
#.#.#
.#.#.
#.#.#
.#.#.
#.#.#

178 dark shade
.###.
##.##
.###.
##.##
.###.
##.##
.###.

179 box vertical
..#..
..#..
..#..
..#..
..#..
..#..
..#..

180 box vertical and left
..#..
..#..
..#..
###..
..#..
..#..
..#..

181 box vertical single and left double
..#..
..#..
###..
..#..
###..
..#..
..#..

182 box vertical double and left single
.#.#.
.#.#.
.#.#.
##.#.
.#.#.
.#.#.
.#.#.

183 box down double and left single
.....
.....
.....
####.
.#.#.
.#.#.
.#.#.

184 box down single and left double
.....
.....
###..
..#..
###..
..#..
..#..

185 box double vertical and left
.#.#.
.#.#.
##.#.
...#.
##.#.
.#.#.
.#.#.

186 box double vertical
.#.#.
.#.#.
.#.#.
.#.#.
.#.#.
.#.#.
.#.#.

187 box double down and left
.....
.....
####.
...#.
##.#.
.#.#.
.#.#.

188 box double up and left
.#.#.
.#.#.
##.#.
...#.
####.
.....
.....

189 box up double and left single
.#.#.
.#.#.
.#.#.
####.
.....
.....
.....

190 box up single and left double
..#..
..#..
###..
..#..
###..
.....
.....

191 box down and left
.....
.....
.....
###..
..#..
..#..
..#..

192 box up and right
..#..
..#..
..#..
..###
.....
.....
.....

193 box up and horizontal
..#..
..#..
..#..
#####
.....
.....
.....

194 box down and horizontal
.....
.....
.....
#####
..#..
..#..
..#..

195 box vertical and right
..#..
..#..
..#..
..###
..#..
..#..
..#..

196 box horizontal
.....
.....
.....
#####
.....
.....
.....

197 box vertical and horizontal
..#..
..#..
..#..
#####
..#..
..#..
..#..

198 box vertical single and right double
..#..
..#..
..###
..#..
..###
..#..
..#..

199 box vertical double and right single
.#.#.
.#.#.
.#.#.
.#.##
.#.#.
.#.#.
.#.#.

200 box double up and right
.#.#.
.#.#.
.#.##
.#...
.####
.....
.....

201 box double down and right
.....
.....
.####
.#...
.#.##
.#.#.
.#.#.

202 box double up and horizontal
.#.#.
.#.#.
##.##
.....
#####
.....
.....

203 box double down and horizontal
.....
.....
#####
.....
##.##
.#.#.
.#.#.

204 box double vertical and right
.#.#.
.#.#.
.#.##
.#...
.#.##
.#.#.
.#.#.

205 box double horizontal
.....
.....
#####
.....
#####
.....
.....

206 box double vertical and horizontal
.#.#.
.#.#.
##.##
.....
##.##
.#.#.
.#.#.

207 box up single and horizontal double
..#..
..#..
#####
.....
#####
.....
.....

208 box up double and horizontal single
.#.#.
.#.#.
.#.#.
#####
.....
.....
.....

209 box down single and horizontal double
.....
.....
#####
.....
#####
..#..
..#..

210 box down double and horizontal single
.....
.....
.....
#####
.#.#.
.#.#.
.#.#.

211 box up double and right single
.#.#.
.#.#.
.#.#.
.####
.....
.....
.....

212 box up single and right double
..#..
..#..
..###
..#..
..###
.....
.....

213 box down single and right double
.....
.....
..###
..#..
..###
..#..
..#..

214 box down double and right single
.....
.....
.....
.####
.#.#.
.#.#.
.#.#.

215 box vertical double and horizontal single
.#.#.
.#.#.
.#.#.
#####
.#.#.
.#.#.
.#.#.

216 box vertical single and horizontal double
..#..
..#..
#####
..#..
#####
..#..
..#..

217 box up and left
..#..
..#..
..#..
###..
.....
.....
.....

218 box down and right
.....
.....
.....
..###
..#..
..#..
..#..

219 full block
#####
#####
#####
#####
#####
#####
#####

220 lower half block
.....
.....
.....
#####
#####
#####
#####

221 left half block
###..
###..
###..
###..
###..
###..
###..

222 right half block
..###
..###
..###
..###
..###
..###
..###

223 upper half block
#####
#####
#####
#####
.....
.....
.....

224 alpha
.....
.....
.#..#
#.#.#
#..#.
#..#.
.##.#

225 sharp s
.##..
#..#.
#..#.
#.#..
#..#.
#...#
#.##.

226 capital gamma
#####
#....
#....
#....
#....
#....
#....

227 pi
.....
.....
#####
.#.#.
.#.#.
.#.#.
.#.#.

228 capital sigma
#####
#....
.#...
..#..
.#...
#....
#####

229 sigma
.....
.....
.####
#.#..
#...#
#...#
.###.

230 micro sign
.....
.....
#...#
#...#
#..##
###.#
#....

231 tau
.....
.....
.####
#.#..
..#..
..#..
..##.

232 capital phi
..#..
.###.
#.#.#
#.#.#
#.#.#
.###.
..#..

233 capital theta
.###.
#...#
#...#
#####
#...#
#...#
.###.

234 capital omega
.###.
#...#
#...#
#...#
.#.#.
.#.#.
##.##

235 delta
..##.
.#...
..#..
.###.
#...#
#...#
.###.

236 infinity
.....
.....
.#.#.
#.#.#
#.#.#
.#.#.
.....

237 phi
.....
....#
.###.
#.#.#
#.#.#
.###.
#....

238 epsilon
.....
.####
#....
####.
#....
.####
.....

239 intersection
.....
.###.
#...#
#...#
#...#
#...#
#...#

240 identical to
.....
#####
.....
#####
.....
#####
.....

241 plus-minus sign
..#..
..#..
#####
..#..
..#..
.....
#####

242 greater-than or equal to
.#...
..#..
...#.
..#..
.#...
.....
#####

243 less-than or equal to
...#.
..#..
.#...
..#..
...#.
.....
#####

244 top half integral
...##
..#.#
..#..
..#..
..#..
..#..
..#..

245 bottom half integral
..#..
..#..
..#..
..#..
..#..
#.#..
.#...

246 division sign
.....
..#..
.....
#####
.....
..#..
.....

247 almost equal to
.....
.##.#
#..#.
.....
.##.#
#..#.
.....

248 degree sign
.##..
#..#.
#..#.
.##..
.....
.....
.....

249 bullet operator
.....
.....
.....
.##..
.##..
.....
.....

250 middle dot
.....
.....
.....
..#..
.....
.....
.....

251 square root
..###
..#..
..#..
#.#..
.##..
..#..
.....

252 superscript n
#.##.
##..#
#...#
#...#
.....
.....
.....

253 superscript two
.##..
#..#.
..#..
.#...
####.
.....
.....

254 black square
.....
.....
.###.
.###.
.###.
.....
.....

255 blank
.....
.....
.....
.....
.....
.....
.....
)art";

} // namespace

constexpr std::array<std::uint8_t, 8960> dos5x7 =
    GlyphTableBuilder<5, 7, 0, 255>().draw(kArt).fillFrom(kAscii5x7, 7, 32, 32, 126).table();

} // namespace lcd::tables
